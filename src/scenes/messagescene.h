#pragma once

#include <array>
#include <string>

#include "app/app.h"
#include "scenes/scenelayout.h"
#include "scenes/script.h"
#include "ui/form.h"

namespace scenes {

// A story scene: its lines are typed into twelve rows a character per tick, with a pause before
// each line, "NEXT PAGE" when a page is full and the exit after the last line. A click on the
// page or a row hurries the text by one whole line.
class MessageScene : public ui::Form {
public:
    // A scene reads its own script unless it is handed another (tests use small made-up ones).
    MessageScene(app::App& app, const SceneLayout& layout, const Script* script = nullptr);

    void Form_Load() override;
    void Form_Click() override { hurry(); }
    std::string checkInvariants() const override;
    void Form_DblClick() override { hurry(); }

protected:
    static constexpr int kMaxLines = kMostRows;
    static constexpr int kRows = kRowsPerPage;

    // What happens once the last line is complete; normally the exit appears.
    virtual void sceneEnd();
    // Whether a click may still complete a line.
    virtual bool mayHurry() const;

    void messagewaittimer_Timer();
    void messagedisp_Timer();
    void Command1_Click();
    void Command2_Click();
    void messtart();
    void mesend();
    void pageclear();
    void hurry();

    app::App& app_;
    const SceneLayout& layout_;
    const Script* script_;
    std::array<ui::Label*, kRows> meslabel1{};
    ui::Button& Command2;
    ui::Label& Label1;
    ui::Timer& messagedisp;
    ui::Timer& messagewaittimer;
    ui::Button* Command1 = nullptr;  // the final epilogue has none

    std::array<std::u16string, kMaxLines> mes;
    std::array<short, kMaxLines> joinflag{};
    std::array<short, kMaxLines> pageflag{};
    short linemax = 0;
    short lineno = 0;
    short labelno = 0;
    short charno = 0;
    short linelen = 0;
    std::u16string restmes;
    short waitcount = 0;

private:
    ui::Button& declareRowsAndNextPage();
    void appendToRow(char16_t unit);
    void setRow(int row, std::u16string text);

    std::array<std::u16string, kRows> rowText_;
};

}  // namespace scenes
