#include "scenes/scenefile.h"

#include <charconv>
#include <map>
#include <optional>
#include <stdexcept>

#include "scenes/embedded.h"

namespace scenes {

namespace {

constexpr int kButtonTop = 6480;
constexpr ui::Size kButton{1815, 495};

struct Reader {
    std::string file;
    int lineNo = 0;

    [[noreturn]] void fail(const std::string& why) const {
        throw std::invalid_argument(file + (lineNo > 0 ? " line " + std::to_string(lineNo) : "") + ": " + why);
    }

    // Whole numbers separated by single spaces, exactly `count` of them.
    std::vector<int> numbers(std::string_view text, std::size_t count) const {
        std::vector<int> out;
        const char* p = text.data();
        const char* end = p + text.size();
        while (p < end) {
            int n = 0;
            auto [next, err] = std::from_chars(p, end, n);
            if (err != std::errc() || (next != end && *next != ' ')) break;
            out.push_back(n);
            p = next == end ? end : next + 1;
        }
        if (p != end || out.size() != count)
            fail("'" + std::string(text) + "' should be " + std::to_string(count) + " whole number(s) in twips");
        return out;
    }
};

// Editors may leave a carriage return or trailing spaces; the full-width spaces of a blank row stay.
std::string_view trimEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    return line;
}

}  // namespace

namespace {

// The file's lines one at a time, comments left out, each counted for the messages.
class Lines {
public:
    Lines(std::string_view text, Reader& in) : text_(text), in_(in) {
        if (text_.starts_with("\xEF\xBB\xBF")) text_.remove_prefix(3);  // some editors mark UTF-8 so
    }
    bool next(std::string_view& line) {
        while (!text_.empty()) {
            const std::size_t eol = text_.find('\n');
            line = trimEnd(text_.substr(0, eol));
            text_.remove_prefix(eol == std::string_view::npos ? text_.size() : eol + 1);
            ++in_.lineNo;
            if (!line.starts_with('#')) return true;
        }
        return false;
    }

private:
    std::string_view text_;
    Reader& in_;
};

struct Setting {
    std::string value;
    int lineNo;
};
using Settings = std::map<std::string, Setting, std::less<>>;

// "name: value" lines up to the "---" that ends them.
Settings readSettings(Lines& lines, Reader& in) {
    Settings settings;
    std::string_view line;
    while (lines.next(line)) {
        if (line == "---") return settings;
        if (line.empty()) continue;
        const std::size_t colon = line.find(": ");
        if (colon == std::string_view::npos) in.fail("a setting reads 'name: value'");
        const std::string key(line.substr(0, colon));
        if (!settings.emplace(key, Setting{std::string(line.substr(colon + 2)), in.lineNo}).second)
            in.fail("'" + key + "' is set twice");
    }
    in.lineNo = 0;
    in.fail("no '---' line before the rows");
}

// The rows after the settings: a blank line ends a page, a trailing backslash runs a row on.
Script readRows(Lines& lines, Reader& in) {
    Script script;
    bool pageEnded = false;
    int onPage = 0;
    std::string_view line;
    while (lines.next(line)) {
        if (line.empty()) {
            pageEnded = onPage > 0;
            continue;
        }
        if (pageEnded) {
            // A full page turns by itself; the engine is told only of the shorter ones.
            if (onPage < kRowsPerPage) script.pageBreaks.push_back(static_cast<int>(script.lines.size()) - 1);
            onPage = 0;
            pageEnded = false;
        }
        if (line.ends_with('\\')) {
            line = trimEnd(line.substr(0, line.size() - 1));
            script.runOn.push_back(static_cast<int>(script.lines.size()));
        }
        if (line.empty()) in.fail("a row needs a character; a blank row is made of full-width spaces");
        if (++onPage > kRowsPerPage) in.fail("a page holds " + std::to_string(kRowsPerPage) + " rows");
        if (static_cast<int>(script.lines.size()) == kMostRows) in.fail("a scene holds " + std::to_string(kMostRows) + " rows");
        script.lines.emplace_back(line);
    }
    in.lineNo = 0;  // what is missing is the whole file's fault
    if (script.lines.empty()) in.fail("the scene has no rows");
    return script;
}

// The window and its buttons from the settings, every one used once. A setting's faults are told
// at its own line; a missing one, of the file.
SceneLayout layoutOf(const std::string& form, Settings settings, Reader& in) {
    SceneLayout layout;
    layout.form = form;
    auto take = [&](const char* key) -> std::optional<std::string> {
        in.lineNo = 0;
        auto it = settings.find(key);
        if (it == settings.end()) return std::nullopt;
        in.lineNo = it->second.lineNo;
        std::string value = std::move(it->second.value);
        settings.erase(it);
        return value;
    };
    const auto caption = take("caption");
    if (!caption) in.fail("'caption' must be set");
    layout.caption = *caption;
    const auto buttons = take("buttons at");
    if (!buttons) in.fail("'buttons at' must be set");
    layout.exitRect = {in.numbers(*buttons, 1)[0], kButtonTop, kButton.width, kButton.height};
    layout.nextPageRect = layout.exitRect;
    layout.exitCaption = take("exit").value_or("");
    if (const auto at = take("exit at")) {
        const auto lt = in.numbers(*at, 2);
        layout.exitRect.left = lt[0];
        layout.exitRect.top = lt[1];
    }
    if (const auto rows = take("rows at")) layout.rowLeft = in.numbers(*rows, 1)[0];
    if (const auto window = take("window")) {
        const auto wh = in.numbers(*window, 2);
        layout.client = {wh[0], wh[1]};
    }
    if (!settings.empty()) {
        in.lineNo = settings.begin()->second.lineNo;
        in.fail("no setting is called '" + settings.begin()->first + "'");
    }
    return layout;
}

}  // namespace

SceneFile readSceneFile(const std::string& form, std::string_view text) {
    Reader in{form + ".scene"};
    Lines lines(text, in);
    Settings settings = readSettings(lines, in);
    Script script = readRows(lines, in);
    return {layoutOf(form, std::move(settings), in), std::move(script)};
}

const std::vector<SceneFile>& sceneFiles() {
    static const std::vector<SceneFile> kAll = [] {
        std::vector<SceneFile> all;
        for (std::size_t i = 0; i < detail::kSceneFilesCount; ++i) {
            const auto& file = detail::kSceneFiles[i];
            const std::string_view path = file.name;  // "scripts/mesarea1"
            all.push_back(readSceneFile(std::string(path.substr(path.rfind('/') + 1)), {file.data, file.size}));
        }
        return all;
    }();
    return kAll;
}

}  // namespace scenes
