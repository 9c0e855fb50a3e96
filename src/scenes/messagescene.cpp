#include "scenes/messagescene.h"

#include <algorithm>

#include "scenes/script.h"
#include "scenes/utf16.h"

namespace scenes {

namespace {
constexpr ui::Rect kCodeLabel{8520, 6840, 1335, 255};
// A key pressed this soon after the page fills was meant for its last line, not for the page.
constexpr int kKeyGuardMs = 300;

bool blank(const std::u16string& text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c == u' ' || c == u'\u3000'; });
}
}  // namespace

MessageScene::MessageScene(app::App& app, const SceneLayout& layout, const Script* script)
    : ui::Form(app.clock(), layout.form, layout.caption, layout.client, ui::kButtonFace),
      app_(app),
      layout_(layout),
      script_(script),
      nextPageButton(declareRowsAndNextPage()),
      codeLabel(label("codeLabel", kCodeLabel, "C-PASS = " + app.facts(layout.form).code)),
      typingTimer(timer("typingTimer", 20, &MessageScene::onTypingTick)),
      pauseTimer(timer("pauseTimer", 45, &MessageScene::onPauseTick)),
      keyGuardTimer(timer("keyGuardTimer", kKeyGuardMs)) {
    setKeyPreview(true);
    keyGuardTimer.onTick = [this] { keyGuardTimer.setEnabled(false); };
    codeLabel.keepInside(layout.client);
    if (!layout.exitCaption.empty()) {
        nextButton = &button("nextButton", layout.exitRect, layout.exitCaption, &MessageScene::onNextClicked);
        nextButton->setVisible(false);
        nextButton->keysIgnoredWhile = [this] { return keyGuardTimer.enabled(); };
    }
    for (ui::Label* row : rows) {
        row->setAnnouncedWhole(true);
        row->onClick = [this] { hurry(); };
        row->onDblClick = [this] { hurry(); };
    }
}

// The rows come first so that they lie beneath everything else on the page.
ui::Button& MessageScene::declareRowsAndNextPage() {
    for (int i = 0; i < kRows; ++i)
        rows[i] = &label(ui::indexed("rows", i), {layout_.rowLeft, 360 + 480 * i, 9135, 615}, "", ui::gothic(15.75));
    ui::Button& next = button("nextPageButton", layout_.nextPageRect, "NEXT PAGE", &MessageScene::onNextPageClicked);
    next.setVisible(false);
    next.keysIgnoredWhile = [this] { return keyGuardTimer.enabled(); };
    return next;
}

void MessageScene::onLoad() {
    const Script& s = script_ ? *script_ : script(name());
    const int count = std::min<int>(static_cast<int>(s.lines.size()), kMaxLines);
    for (int i = 0; i < count; ++i) lines_[i] = toUtf16(s.lines[i]);
    for (int i : s.runOn)
        if (i >= 0 && i < kMaxLines) runsOn_[i] = true;
    for (int i : s.pageBreaks)
        if (i >= 0 && i < kMaxLines) endsPage_[i] = true;
    lineCount_ = count;
    phases_.enter(Phase::Pausing);
}

void MessageScene::onPauseTick() {
    --pauseTicksLeft_;
    if (pauseTicksLeft_ == 0) startLine();
}

void MessageScene::startLine() {
    if (line_ >= lineCount_) {  // every line has been typed: there is nothing to start
        phases_.enter(Phase::AllTyped);
        return;
    }
    untyped_ = lines_[line_];
    typedUnits_ = 0;
    lineLength_ = static_cast<int>(untyped_.size());
    phases_.enter(Phase::Typing);
}

void MessageScene::onTypingTick() {
    if (untyped_.empty()) {  // an empty line is complete before its first tick
        endLine();
        return;
    }
    appendToRow(untyped_.front());
    ++typedUnits_;
    if (typedUnits_ == lineLength_)
        endLine();
    else
        untyped_ = untyped_.substr(untyped_.size() - (lineLength_ - typedUnits_));
}

void MessageScene::endLine() {
    rows[row_]->announce();  // the line is whole: now a screen reader may read it
    unspoken_ += rowText_[row_];
    const bool runsOn = runsOn_[line_];
    ++row_;
    pauseTicksLeft_ = runsOn ? 1 : 10;
    ++line_;
    const bool pageFull = endsPage_[line_ - 1] || row_ >= kRows;
    phases_.enter(line_ == lineCount_ ? Phase::AllTyped : pageFull ? Phase::PageFull : Phase::Pausing);
    // Before NEXT PAGE or the exit takes the focus, so that a listener hears the line first.
    if (!runsOn || pageFull || line_ == lineCount_) speakUnspoken();
    if (line_ == lineCount_) {
        keyGuardTimer.setEnabled(true);
        sceneEnd();
        return;
    }
    if (pageFull) {
        nextPageButton.setVisible(true);
        // Turned once, NEXT PAGE comes back with the focus it went with, and a screen reader that
        // still has it for the control it read last says nothing: the page says it.
        if (turnedAPage_) announce(nextPageButton.caption());
        keyGuardTimer.setEnabled(true);
    }
}

void MessageScene::speakUnspoken() {
    if (!blank(unspoken_)) announce(toUtf8(unspoken_));
    unspoken_.clear();
}

void MessageScene::onKeyDown(ui::KeyEvent& key) {
    if (!key.is('R')) return;
    key.accept();
    std::string page;
    for (const std::u16string& text : rowText_)
        if (!blank(text)) page += (page.empty() ? "" : "\n") + toUtf8(text);
    announce(page.empty() ? "まだ何もありません" : page);
}

void MessageScene::sceneEnd() {
    if (nextButton) nextButton->setVisible(true);
}

void MessageScene::hurry() {
    // A full page waits for NEXT PAGE; once every line is typed there is nothing left to hurry.
    if (phases_.isAnyOf(Phase::PageFull, Phase::AllTyped) || line_ >= lineCount_) return;
    setRow(row_, lines_[line_]);
    endLine();
}

void MessageScene::onNextPageClicked() {
    turnedAPage_ = true;
    clearPage();
    phases_.enter(Phase::Pausing);
    nextPageButton.setVisible(false);
}

void MessageScene::clearPage() {
    for (int i = 0; i < kRows; ++i) {
        setRow(i, u"");
        rows[i]->announce();
    }
    row_ = 0;
}

void MessageScene::onNextClicked() { app_.leave(*this, "nextButton"); }

void MessageScene::appendToRow(char16_t unit) {
    rowText_[row_] += unit;
    rows[row_]->setCaption(toUtf8(rowText_[row_]));
}

void MessageScene::setRow(int row, std::u16string text) {
    rowText_[row] = std::move(text);
    rows[row]->setCaption(toUtf8(rowText_[row]));
}

}  // namespace scenes

namespace scenes {

std::string MessageScene::checkInvariants() const {
    if (!phases_.onlyItsOwnTimersRun()) return "typing and pausing at once, or either after the page";
    if (nextPageButton.visible() && nextButton && nextButton->visible()) return "NEXT PAGE and the exit both show";
    if (line_ > lineCount_ || row_ > kRows) return "past the last line or row";
    for (int row = 0; row < kRows; ++row) {
        const std::u16string& text = rowText_[row];
        if (text.empty()) continue;
        const bool fromScript = std::any_of(lines_.begin(), lines_.begin() + lineCount_,
                                            [&](const std::u16string& line) { return line.starts_with(text); });
        if (!fromScript) return "row " + std::to_string(row) + " holds text of no line";
    }
    return {};
}

}  // namespace scenes
