#include "app/app.h"

#include <algorithm>
#include <stdexcept>

#include "ui/eventloop.h"

namespace app {

App::App(ui::Clock& clock, Random& random) : clock_(clock), random_(random) {
    onEnd = [] { ui::quit(); };
}

App::~App() {
    for (auto& f : forms_) f->shutDown();
    forms_.clear();
    unloaded_.clear();
}

void App::registerForm(const std::string& name, Factory factory, FormFacts facts) {
    factories_[name] = std::move(factory);
    facts_[name] = std::move(facts);
}

const FormFacts& App::facts(const std::string& name) const {
    static const FormFacts kNone;
    auto it = facts_.find(name);
    return it == facts_.end() ? kNone : it->second;
}

ui::Form* App::loadedForm(const std::string& name) const {
    auto it = std::find_if(forms_.begin(), forms_.end(), [&](const auto& f) { return f->name() == name; });
    return it == forms_.end() ? nullptr : it->get();
}

ui::Form& App::form(const std::string& name) {
    if (ui::Form* f = loadedForm(name)) return *f;
    auto factory = factories_.find(name);
    if (factory == factories_.end()) throw std::out_of_range("no form named " + name);
    forms_.push_back(factory->second(*this));
    ui::Form& f = *forms_.back();
    f.onCloseBox = [this, &f] { unload(f); };
    f.load();
    return f;
}

ui::Form& App::show(const std::string& name) {
    ui::Form& f = form(name);
    f.show();
    return f;
}

bool App::unload(ui::Form& form) {
    auto it = std::find_if(forms_.begin(), forms_.end(), [&](const auto& f) { return f.get() == &form; });
    if (it == forms_.end() || form.dead()) return true;
    ui::UnloadRequest request;
    form.onUnload(request);
    if (request.refused()) return false;
    // onUnload may have shown or unloaded other forms; find this one again.
    it = std::find_if(forms_.begin(), forms_.end(), [&](const auto& f) { return f.get() == &form; });
    if (it == forms_.end()) return true;
    form.shutDown();
    openedFrom_.erase(form.name());
    unloaded_.push_back(std::move(*it));
    forms_.erase(it);
    // Never destroyed inside its own handler: the click or tick that unloaded it is still running.
    if (!collectPosted_) {
        collectPosted_ = true;
        ui::post([this, life = std::weak_ptr<int>(life_)] {
            if (!life.expired()) collectUnloaded();
        });
    }
    checkEnd();
    return true;
}

void App::changeScene(ui::Form& current, const std::string& next) {
    if (!isLoaded(next)) openedFrom_[next] = current.name();
    show(next);
    unload(current);
}

const std::string& App::openedFrom(const std::string& name) const {
    static const std::string kNobody;
    auto it = openedFrom_.find(name);
    return it == openedFrom_.end() ? kNobody : it->second;
}

void App::leave(ui::Form& current, const std::string& exit) {
    const auto& exits = facts(current.name()).exits;
    auto it = exits.find(exit);
    if (it == exits.end()) throw std::out_of_range(current.name() + " has no exit " + exit);
    if (it->second.empty())
        unload(current);
    else
        changeScene(current, it->second);
}

void App::setExtraLoaded(const std::string& name, bool loaded) {
    if (loaded) {
        extras_.insert(name);
        return;
    }
    extras_.erase(name);
    checkEnd();
}

std::vector<std::string> App::loadedNames() const {
    std::vector<std::string> names;
    for (const auto& f : forms_) names.push_back(f->name());
    for (const auto& e : extras_) names.push_back(e);
    return names;
}

void App::collectUnloaded() {
    collectPosted_ = false;
    unloaded_.clear();
}

void App::checkEnd() {
    if (!nothingLoaded() || ended_) return;
    ended_ = true;
    if (onEnd) onEnd();
}

}  // namespace app
