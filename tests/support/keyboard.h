#pragma once

#include <QObject>

#include <functional>
#include <string>
#include <vector>

#include "support/harness.h"

class QWidget;

namespace testing_support {

// While it lives, checks before every key the application delivers (and when asked) that the form
// being keyed holds the focus itself (or none) or gives it to a showing, enabled control of its own, and
// counts mouse presses. Problems are collected, so a test can print them all.
class KeyboardWatch final : public QObject {
public:
    KeyboardWatch(SceneHarness& h, std::string form);
    ~KeyboardWatch() override;
    void check();
    int mousePresses = 0;
    std::vector<std::string> problems;

protected:
    bool eventFilter(QObject* target, QEvent* e) override;

private:
    SceneHarness& h_;
    std::string form_;
    int keys_ = 0;
};

// The control of `form` that holds the focus: "" for none, when the form itself has the keys.
std::string focusedControl(SceneHarness& h, const std::string& form);

// Tab until the control has the focus (failing if Tab never reaches it), then Space, or Enter on
// a form that reads Space itself.
void pressByKeys(SceneHarness& h, const std::string& form, const std::string& control);

// While it lives, answers every real message box as soon as it is on screen, after `seen`.
class BoxAnswerer final : public QObject {
public:
    explicit BoxAnswerer(std::function<void(QWidget& box)> seen);
    ~BoxAnswerer() override;

protected:
    bool eventFilter(QObject* target, QEvent* e) override;

private:
    std::function<void(QWidget&)> seen_;
};

}  // namespace testing_support
