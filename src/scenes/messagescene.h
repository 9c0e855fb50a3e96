#pragma once

#include <array>
#include <string>

#include "app/app.h"
#include "app/phases.h"
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

    void onLoad() override;
    void onClick() override { hurry(); }
    std::string checkInvariants() const override;
    void onDoubleClick() override { hurry(); }
    // R reads the page aloud again, for a player who hears it rather than sees it.
    void onKeyDown(ui::KeyEvent& key) override;

protected:
    static constexpr int kMaxLines = kMostRows;
    static constexpr int kRows = kRowsPerPage;

    // What happens once the last line is complete; normally the exit appears.
    virtual void sceneEnd();

    void onPauseTick();
    void onTypingTick();
    void onNextClicked();
    void onNextPageClicked();
    void startLine();
    void endLine();
    void clearPage();
    void hurry();

    app::App& app_;
    const SceneLayout& layout_;
    const Script* script_;
    std::array<ui::Label*, kRows> rows{};
    ui::Button& nextPageButton;
    ui::Label& codeLabel;
    ui::Timer& typingTimer;            // a character a tick
    ui::Timer& pauseTimer;             // the pause before a line, counted in ticks
    ui::Timer& keyGuardTimer;          // runs while NEXT PAGE or the exit is too new for a key
    ui::Button* nextButton = nullptr;  // the final epilogue has none

    // The pause before a line, its typing, then the next pause, a full page waiting for NEXT
    // PAGE, or the end.
    enum class Phase { Pausing, Typing, PageFull, AllTyped };
    app::Phases<Phase> phases_{Phase::Pausing, {{Phase::Pausing, &pauseTimer}, {Phase::Typing, &typingTimer}}};

    std::array<std::u16string, kMaxLines> lines_;
    std::array<bool, kMaxLines> runsOn_{};    // the line is followed by the short pause
    std::array<bool, kMaxLines> endsPage_{};  // the page ends after the line
    int lineCount_ = 0;
    int line_ = 0;  // the line being typed, or the next one
    int row_ = 0;   // the row it goes on
    int typedUnits_ = 0;
    int lineLength_ = 0;
    std::u16string untyped_;   // what is left of the line
    int pauseTicksLeft_ = 10;  // an ordinary pause, before the first line too

private:
    ui::Button& declareRowsAndNextPage();
    void appendToRow(char16_t unit);
    void speakUnspoken();
    void setRow(int row, std::u16string text);

    std::array<std::u16string, kRows> rowText_;
    std::u16string unspoken_;  // a line that runs on is spoken with the rest of its sentence
    bool turnedAPage_ = false;
};

}  // namespace scenes
