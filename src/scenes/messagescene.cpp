#include "scenes/messagescene.h"

#include <algorithm>

#include "scenes/script.h"
#include "scenes/utf16.h"

namespace scenes {

namespace {
constexpr ui::Rect kCodeLabel{8520, 6840, 1335, 255};
}  // namespace

MessageScene::MessageScene(app::App& app, const SceneLayout& layout, const Script* script)
    : ui::Form(app.clock(), layout.form, layout.caption, layout.client, ui::kButtonFace),
      app_(app),
      layout_(layout),
      script_(script),
      Command2(declareRowsAndNextPage()),
      Label1(label("Label1", kCodeLabel, "C-PASS = " + app.facts(layout.form).code)),
      messagedisp(timer("messagedisp", 20, &MessageScene::messagedisp_Timer)),
      messagewaittimer(timer("messagewaittimer", 45, &MessageScene::messagewaittimer_Timer)) {
    Label1.keepInside(layout.client);
    if (!layout.exitCaption.empty()) {
        Command1 = &button("Command1", layout.exitRect, layout.exitCaption, &MessageScene::Command1_Click);
        Command1->setVisible(false);
    }
    for (ui::Label* row : meslabel1) {
        row->setAnnouncedWhole(true);
        row->onClick = [this] { hurry(); };
        row->onDblClick = [this] { hurry(); };
    }
}

// The rows come first so that they lie beneath everything else on the page.
ui::Button& MessageScene::declareRowsAndNextPage() {
    for (int i = 0; i < kRows; ++i)
        meslabel1[i] = &label(ui::indexed("meslabel1", i), {layout_.rowLeft, 360 + 480 * i, 9135, 615}, "",
                              ui::gothic(15.75));
    ui::Button& next = button("Command2", layout_.nextPageRect, "NEXT PAGE", &MessageScene::Command2_Click);
    next.setVisible(false);
    return next;
}

void MessageScene::Form_Load() {
    const Script& s = script_ ? *script_ : script(name());
    const int count = std::min<int>(static_cast<int>(s.lines.size()), kMaxLines);
    for (int i = 0; i < count; ++i) mes[i] = toUtf16(s.lines[i]);
    for (int i : s.runOn)
        if (i >= 0 && i < kMaxLines) joinflag[i] = 1;
    for (int i : s.pageBreaks)
        if (i >= 0 && i < kMaxLines) pageflag[i] = 1;
    linemax = static_cast<short>(count);
    labelno = 0;
    waitcount = 10;
    messagewaittimer.setEnabled(true);
}

void MessageScene::messagewaittimer_Timer() {
    --waitcount;
    if (waitcount == 0) messtart();
}

void MessageScene::messtart() {
    messagewaittimer.setEnabled(false);
    if (lineno >= linemax) return;  // every line has been typed: there is nothing to start
    restmes = mes[lineno];
    charno = 0;
    linelen = static_cast<short>(restmes.size());
    messagedisp.setEnabled(true);
}

void MessageScene::messagedisp_Timer() {
    if (restmes.empty()) {  // an empty line is complete before its first tick
        mesend();
        return;
    }
    appendToRow(restmes.front());
    ++charno;
    if (charno == linelen)
        mesend();
    else
        restmes = restmes.substr(restmes.size() - (linelen - charno));
}

void MessageScene::mesend() {
    messagedisp.setEnabled(false);
    meslabel1[labelno]->announce();  // the line is whole: now a screen reader may read it
    ++labelno;
    waitcount = joinflag[lineno] == 1 ? 1 : 10;
    ++lineno;
    if (lineno == linemax) {
        sceneEnd();
        return;
    }
    if (pageflag[lineno - 1] == 1 || labelno >= kRows) {
        Command2.setVisible(true);
        return;
    }
    messagewaittimer.setEnabled(true);
}

void MessageScene::sceneEnd() {
    if (Command1) Command1->setVisible(true);
}

bool MessageScene::mayHurry() const { return !(Command1 && Command1->visible()) && !Command2.visible(); }

void MessageScene::hurry() {
    messagewaittimer.setEnabled(false);
    messagedisp.setEnabled(false);
    if (!mayHurry() || lineno >= linemax) return;
    setRow(labelno, mes[lineno]);
    mesend();
}

void MessageScene::Command2_Click() {
    pageclear();
    messagewaittimer.setEnabled(true);
    Command2.setVisible(false);
}

void MessageScene::pageclear() {
    for (int i = 0; i < kRows; ++i) {
        setRow(i, u"");
        meslabel1[i]->announce();
    }
    labelno = 0;
}

void MessageScene::Command1_Click() { app_.leave(*this, "Command1"); }

void MessageScene::appendToRow(char16_t unit) {
    rowText_[labelno] += unit;
    meslabel1[labelno]->setCaption(toUtf8(rowText_[labelno]));
}

void MessageScene::setRow(int row, std::u16string text) {
    rowText_[row] = std::move(text);
    meslabel1[row]->setCaption(toUtf8(rowText_[row]));
}

}  // namespace scenes

namespace scenes {

std::string MessageScene::checkInvariants() const {
    if (messagedisp.enabled() && messagewaittimer.enabled()) return "typing and pausing at once";
    if (Command2.visible() && Command1 && Command1->visible()) return "NEXT PAGE and the exit both show";
    if (lineno > linemax || labelno > kRows) return "past the last line or row";
    for (int row = 0; row < kRows; ++row) {
        const std::u16string& text = rowText_[row];
        if (text.empty()) continue;
        const bool fromScript = std::any_of(mes.begin(), mes.begin() + linemax,
                                            [&](const std::u16string& line) { return line.starts_with(text); });
        if (!fromScript) return "row " + std::to_string(row) + " holds text of no line";
    }
    return {};
}

}  // namespace scenes
