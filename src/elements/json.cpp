// read_json - mean-element messages in JSON: an array of objects, or one
// object.
//
// Given:    display  string           the source's name in messages
//           text     string_view      the text of a JSON document
//           out      ElementSetsRead  what has been read so far
// Returned: out      ElementSetsRead  one set per object appended; one
//                                     problem per entry that cannot be read
// Thrown:   InputError                naming the source: text that is not
//                                     valid JSON (with its line), nesting
//                                     deeper than MAX_DEPTH
//
// Notes:
//  - Read through nlohmann's event parser, which keeps the text of a
//    number: a value is converted from its decimal digits by the same
//    routine as every other encoding's, so 0.1845686 here gives the bits
//    ".1845686" gives in XML.  (nlohmann's own double comes from strtod and
//    is correctly rounded too; the text is simply the one path all
//    encodings share.)
//  - Numbers and strings are taken alike, as public catalogues serve both;
//    null counts as absent.
//  - The parser keeps its nesting on the heap, and nesting deeper than
//    MAX_DEPTH is refused, so no input exhausts the stack.
#include <nlohmann/json.hpp>

#include <optional>

#include "elements/fields.hpp"
#include "elements/keyed.hpp"
#include "elements/readers.hpp"

namespace talik::elements {

namespace {

constexpr std::size_t MAX_DEPTH = 64;
constexpr std::size_t MAX_SHOWN_ERROR = 160;

// nlohmann's message without its "[json.exception...]" tag, one printable line.
std::string shown_error(const std::string& what) {
    const std::size_t tag_end = what.find("] ");
    const std::string_view text = tag_end == std::string::npos ? std::string_view(what)
                                                               : std::string_view(what).substr(tag_end + 2);
    std::string shown;
    for (const char c : text.substr(0, MAX_SHOWN_ERROR)) shown += c >= ' ' && c <= '~' ? c : '?';
    return shown;
}

class SetCollector final : public nlohmann::json_sax<nlohmann::json> {
public:
    SetCollector(const std::string& display, std::string_view text, ElementSetsRead& out)
        : display_(display), text_(text), out_(out) {}

    bool null() override { return true; }
    bool boolean(bool value) override { return scalar(value ? "true" : "false"); }
    bool number_integer(number_integer_t value) override { return scalar(std::to_string(value)); }
    bool number_unsigned(number_unsigned_t value) override { return scalar(std::to_string(value)); }
    bool number_float(number_float_t /*value*/, const string_t& text) override { return scalar(text); }
    bool string(string_t& value) override { return scalar(value); }
    bool binary(binary_t& /*value*/) override { return scalar("binary"); }
    bool key(string_t& key) override {
        key_ = key;
        return true;
    }
    bool start_object(std::size_t /*size*/) override {
        if (!enter()) return false;
        if (depth_ == 1) set_depth_ = 1;  // one object alone
        if (depth_ == set_depth_) set_.emplace(display_, "entry " + std::to_string(++entry_));
        return true;
    }
    bool end_object() override {
        if (depth_ == set_depth_ && set_) {
            set_->deliver(out_);
            set_.reset();
        }
        --depth_;
        return true;
    }
    bool start_array(std::size_t /*size*/) override {
        if (!enter()) return false;
        if (depth_ == 1) set_depth_ = 2;  // an array of objects
        if (depth_ == 2 && set_depth_ == 2) not_an_object();
        return true;
    }
    bool end_array() override {
        --depth_;
        return true;
    }
    bool parse_error(std::size_t position, const std::string& /*token*/,
                     const nlohmann::detail::exception& e) override {
        const std::size_t offset = position == 0 ? 0 : position - 1;  // position counts the bytes read
        error_ = "line " + std::to_string(LineCounter(text_).line_of(offset)) +
                 ": not valid JSON: " + shown_error(e.what());
        return false;
    }

    const std::string& error() const { return error_; }

private:
    bool enter() {
        if (++depth_ > MAX_DEPTH) {
            error_ = "nested deeper than " + std::to_string(MAX_DEPTH) + " levels, not a list of element sets";
            return false;
        }
        return true;
    }
    bool scalar(const std::string& text) {
        if (depth_ == set_depth_ && set_) set_->add(key_, text, set_->where());
        if (depth_ == 1 && set_depth_ == 2) not_an_object();
        return true;
    }
    void not_an_object() {
        out_.problems.add(display_ + ": entry " + std::to_string(++entry_) + ": not an object of a set's keys");
    }

    const std::string& display_;
    std::string_view text_;
    ElementSetsRead& out_;
    std::optional<KeyedSet> set_;
    std::string key_;
    std::string error_;
    std::size_t depth_ = 0;
    std::size_t set_depth_ = 0;
    std::size_t entry_ = 0;
};

}  // namespace

void read_json(const std::string& display, std::string_view text, ElementSetsRead& out) {
    SetCollector collector(display, text, out);
    if (!nlohmann::json::sax_parse(text.begin(), text.end(), &collector)) {
        throw InputError(display + ": " + collector.error());
    }
}

}  // namespace talik::elements
