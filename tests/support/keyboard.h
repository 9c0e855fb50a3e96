#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/harness.h"

class QWidget;

namespace testing_support {

// Watches every key and mouse press the application delivers while it lives: before each key, and
// when asked, the form being keyed must hold the focus itself or give it to a showing, enabled
// control of its own. Problems are collected, not thrown, so a test can print them all.
class KeyboardWatch {
public:
    KeyboardWatch();
    ~KeyboardWatch();
    KeyboardWatch(const KeyboardWatch&) = delete;
    KeyboardWatch& operator=(const KeyboardWatch&) = delete;

    void check(SceneHarness& h, const std::string& form);
    int keys() const;
    int mousePresses() const;
    const std::vector<std::string>& problems() const;

private:
    struct Filter;
    std::unique_ptr<Filter> filter_;
};

// The name of the control of `form` that holds the focus: "" for the form itself, "?" for nothing.
std::string focusedControl(SceneHarness& h, const std::string& form);

// Presses a control by keys: Tab (as often as it takes, never more than there are controls) until
// it has the focus, then Space, or Enter on a form that reads keys itself. Fails the test if Tab
// never reaches it.
void pressByKeys(SceneHarness& h, const std::string& form, const std::string& control);

// While it lives, answers every real message box as soon as it shows, after `seen` has looked at it.
class BoxAnswerer {
public:
    explicit BoxAnswerer(std::function<void(QWidget& box)> seen);
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

private:
    struct Filter;
    std::unique_ptr<Filter> filter_;
};

}  // namespace testing_support
