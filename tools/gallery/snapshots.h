#pragma once

// Every state's picture held against the one a person approved. What is kept in the repository is
// a fingerprint of each picture, not the picture: a hash of its decoded pixels, and of each
// visible control's part of it with the text the control shows. That keeps the repository small
// (a few hundred kilobytes against some nine megabytes of PNG, growing by a line per change), and
// still says which control changed and what its text was and is, with no old picture at hand.
// Where this machine has drawn the approved picture before, the changed pixels are marked too.

#include <QSize>
#include <QString>

#include <map>
#include <string>
#include <vector>

#include "shots.h"

namespace gallery {

struct Fingerprint {
    struct Part {
        std::string control;  // "(form)" for what lies outside every control
        std::string hash;
        std::string text;
    };
    QSize size;
    std::string hash;
    std::vector<Part> parts;
};

Fingerprint fingerprintOf(const Shot& shot);

// The approved fingerprints, a block per state in drawing order:
//   form_mesarea1_page_3<TAB>749x473<TAB>hash
//   <TAB>rows(3)<TAB>hash<TAB>text the control shows
using Approved = std::map<QString, Fingerprint>;
Approved readApproved(const QString& path);
void writeApproved(const QString& path, const std::vector<std::pair<QString, Fingerprint>>& prints);

// What changed between the approved fingerprint and the new one, in words; empty when nothing did.
std::string differences(const Fingerprint& approved, const Fingerprint& now);

// The new picture faded, with every pixel that differs from the approved one in red.
QImage markedDifferences(const QImage& approved, const QImage& now);

// Draws every state and holds it against `approvedPath`; writes the new picture and, where it can,
// the marked one under `outDir` for each state that differs, and prints what differs. Returns the
// number of states that differ, are new, or are no longer drawn.
int checkAgainst(const QString& approvedPath, const QString& outDir);
// Draws every state and makes what it draws the approved fingerprints.
void approve(const QString& approvedPath);

}  // namespace gallery
