#pragma once

#include <cstddef>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace ui {

class Control;

// What the form keeps of each array it owns.
class ArrayBase {
public:
    virtual ~ArrayBase() = default;
};

// A control array as the layouts declare them: `dialUpButtons(0)` … `dialUpButtons(3)`, one name,
// elements registered on the form under their indexed names, and handlers that receive the index.
// The form owns the array and its elements; a form member holds a reference to it, like any control.
template <class C>
class ControlArray final : public ArrayBase {
public:
    explicit ControlArray(std::string name) : name_(std::move(name)) {}
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    const std::string& name() const { return name_; }
    int size() const { return static_cast<int>(items_.size()); }
    C& operator[](int i) const {
        if (i < 0 || i >= size()) throw std::out_of_range(name_ + " has no element " + std::to_string(i));
        return *items_[static_cast<std::size_t>(i)];
    }

    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = C;
        using difference_type = std::ptrdiff_t;
        using pointer = C*;
        using reference = C&;
        iterator() = default;
        explicit iterator(typename std::vector<C*>::const_iterator it) : it_(it) {}
        C& operator*() const { return **it_; }
        C* operator->() const { return *it_; }
        iterator& operator++() {
            ++it_;
            return *this;
        }
        iterator operator++(int) {
            iterator old = *this;
            ++it_;
            return old;
        }
        friend bool operator==(const iterator&, const iterator&) = default;

    private:
        typename std::vector<C*>::const_iterator it_{};
    };
    iterator begin() const { return iterator(items_.begin()); }
    iterator end() const { return iterator(items_.end()); }

    // Raised with the element's index. Timers tick through onTick; controls click.
    std::function<void(int)> onClick;
    std::function<void(int)> onDblClick;
    std::function<void(int)> onTick;

    // Used by the form while it declares the array.
    void append(C& element) { items_.push_back(&element); }

private:
    std::string name_;
    std::vector<C*> items_;
};

// The elements of control arrays one after another, to lay out as a grid or to treat alike.
template <class... C>
std::vector<Control*> cellsOf(const ControlArray<C>&... arrays) {
    std::vector<Control*> cells;
    (
        [&] {
            for (auto& element : arrays) cells.push_back(&element);
        }(),
        ...);
    return cells;
}

}  // namespace ui
