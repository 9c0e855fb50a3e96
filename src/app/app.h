#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/random.h"
#include "ui/form.h"

namespace ui {
class Clock;
}

namespace app {

// What the C-PASS label of a form that has one but no code of its own shows.
inline constexpr char kNoCode[] = "----";

// What the chain tells a form about its place in the story.
struct FormFacts {
    std::string code;                          // its C-PASS label: four digits, or kNoCode; empty: no label
    std::map<std::string, std::string> exits;  // exit button -> the form it shows; empty: the program ends
    bool warpZone = false;                     // the form that opens others out of the story's order
};

// Knows every form by name, loads a form on first reference, shows and unloads forms, and ends
// the program when nothing is loaded any more. Forms never call each other: they ask the App.
class App {
public:
    using Factory = std::function<std::unique_ptr<ui::Form>(App&)>;

    App(ui::Clock& clock, Random& random);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    ui::Clock& clock() { return clock_; }
    Random& random() { return random_; }

    void registerForm(const std::string& name, Factory factory, FormFacts facts = {});
    // What the form of this name was registered with (nothing for a form the chain does not know).
    const FormFacts& facts(const std::string& name) const;

    // The loaded form of this name, loading it (controls, then onLoad) if it is not.
    ui::Form& form(const std::string& name);
    ui::Form* loadedForm(const std::string& name) const;
    bool isLoaded(const std::string& name) const { return loadedForm(name) != nullptr; }

    // Makes the form visible, loading it first if needed.
    ui::Form& show(const std::string& name);
    // Runs the form's onUnload, which may refuse (then false); otherwise stops the form for good.
    bool unload(ui::Form& form);
    // Every exit button: show the next form, then unload the current one.
    void changeScene(ui::Form& current, const std::string& next);
    // The form whose exit loaded this one, for as long as it stays loaded; empty when it was shown
    // otherwise. A form's onLoad can ask it how it was reached.
    const std::string& openedFrom(const std::string& name) const;
    // The same through one of the form's exits: the chain decides where it leads, and an exit that
    // leads nowhere unloads the form alone, which ends the program when nothing else is loaded.
    void leave(ui::Form& current, const std::string& exit);

    // Something that is not a form but counts as one while loaded (the picture store).
    void setExtraLoaded(const std::string& name, bool loaded);
    bool extraLoaded(const std::string& name) const { return extras_.count(name) != 0; }

    // Loaded forms, in loading order, and the extras.
    std::vector<std::string> loadedNames() const;
    bool nothingLoaded() const { return forms_.empty() && extras_.empty(); }

    // Called when the last form has gone; by default it quits the event loop (queued).
    std::function<void()> onEnd;
    bool ended() const { return ended_; }

    // Destroys forms unloaded earlier. Runs on a later turn of the event loop on its own.
    void collectUnloaded();

private:
    void checkEnd();

    ui::Clock& clock_;
    Random& random_;
    std::map<std::string, Factory> factories_;
    std::map<std::string, FormFacts> facts_;
    std::vector<std::unique_ptr<ui::Form>> forms_;     // loaded, in loading order
    std::vector<std::unique_ptr<ui::Form>> unloaded_;  // dead, waiting to be destroyed
    std::set<std::string> extras_;
    std::map<std::string, std::string> openedFrom_;  // loaded form -> the form that changed to it
    bool collectPosted_ = false;
    std::shared_ptr<int> life_ = std::make_shared<int>(0);  // lets posted work outlive the App safely
    bool ended_ = false;
};

}  // namespace app
