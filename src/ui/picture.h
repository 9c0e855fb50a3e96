#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace ui {

namespace detail {
struct PictureData;
}

// A vector picture compiled into the program. Copies share one renderer and one cache of
// rendered sizes. A default-constructed Picture is the empty picture: it blanks an image.
class Picture {
public:
    Picture();
    // `svg` must stay valid for the life of the program (it points into embedded data). The
    // description is what a screen reader says for the picture; empty for a decorative one.
    static Picture fromSvg(std::string_view name, std::string_view svg, std::string_view description = {});

    bool isNull() const { return !d_; }
    const std::string& name() const;
    const std::string& description() const;
    // The size the picture was drawn for, in pixels.
    int width() const;
    int height() const;
    bool sameAs(const Picture& other) const { return d_ == other.d_; }

    detail::PictureData* data() const { return d_.get(); }

private:
    std::shared_ptr<detail::PictureData> d_;
};

}  // namespace ui
