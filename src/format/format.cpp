// Format::Format - parse a format text once into its items and steps.
//
// Given:    text    string_view  the format, e.g. "(I6,I5,2('/',I2),I3)"
// Returned: the items (descriptor repeats expanded, groups kept with their
//           repeat count and partner index), the steps (every repeat
//           expanded), the data descriptors among them in order, the pool of
//           literal texts, and whether the format is for output only
// Thrown:   FormatError          when the text is not a valid format, naming
//                                the column of the fault
//
// Notes:
//  - Elements: 'literal', nX, /, Iw, Fw.d, Ew.d, A, Aw, repeat counts (2A1)
//    and nested repeat groups (2('/',I2)); descriptor letters in either
//    case.  A literal or an A descriptor makes the format output only.
//  - Numbers (repeat counts, widths, decimals) go from 1 to 1000 (d from 0),
//    and a format expands to at most 100000 steps.
//  - Blanks and tabs are ignored outside literals; commas are optional
//    separators but a comma may not lead, trail or double; '' inside a
//    literal is one apostrophe.
#include "format/format.hpp"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace talik {

namespace {

constexpr int MAX_NUMBER = 1000;
constexpr std::size_t MAX_STEPS = 100000;

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    void parse(std::vector<FormatItem>& items) {
        skip_blanks();
        if (!take('(')) fail("a format starts with '('");
        parse_list(items, 0);
        skip_blanks();
        if (pos_ != text_.size()) fail("text after the closing ')'");
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        throw FormatError("format \"" + std::string(text_) + "\": " + what + " at column " + std::to_string(pos_ + 1));
    }

    void skip_blanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
    }
    // Next character outside a literal, blanks skipped; '\0' at the end.
    char peek() {
        skip_blanks();
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    bool take(char c) {
        if (peek() != c) return false;
        ++pos_;
        return true;
    }
    static bool is_digit(char c) { return c >= '0' && c <= '9'; }
    static char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

    // An unsigned number; blanks between its digits are ignored like
    // everywhere outside literals.
    int number(int low, const char* what) {
        if (!is_digit(peek())) fail(std::string("missing ") + what);
        long value = 0;
        while (is_digit(peek())) {
            value = value * 10 + (text_[pos_] - '0');
            if (value > MAX_NUMBER) fail(std::string(what) + " larger than 1000");
            ++pos_;
        }
        if (value < low) fail(std::string(what) + " of 0");
        return static_cast<int>(value);
    }

    void parse_list(std::vector<FormatItem>& items, int depth) {
        const std::size_t first = items.size();
        bool after_comma = false;
        for (;;) {
            const char c = peek();
            if (c == '\0') fail("missing ')'");
            if (c == ')') {
                if (after_comma) fail("',' before ')'");
                if (depth > 0 && items.size() == first) fail("empty group");
                ++pos_;
                return;
            }
            if (c == ',') {
                if (after_comma || items.size() == first) fail("misplaced ','");
                ++pos_;
                after_comma = true;
                continue;
            }
            after_comma = false;
            parse_item(items, depth);
        }
    }

    void parse_item(std::vector<FormatItem>& items, int depth) {
        char c = peek();
        if (c == '\'') {
            items.push_back(literal());
            return;
        }
        if (c == '/') {
            ++pos_;
            FormatItem item;
            item.kind = FormatItem::Kind::Slash;
            items.push_back(item);
            return;
        }
        int repeat = 1;
        const bool counted = is_digit(c);
        if (counted) {
            repeat = number(1, "repeat count");
            c = peek();
        }
        if (c == '(') {
            if (depth >= 20) fail("groups nested too deeply");
            ++pos_;
            const std::size_t start = items.size();
            FormatItem open;
            open.kind = FormatItem::Kind::GroupStart;
            open.repeat = repeat;
            items.push_back(open);
            parse_list(items, depth + 1);
            FormatItem close;
            close.kind = FormatItem::Kind::GroupEnd;
            close.partner = static_cast<int>(start);
            items[start].partner = static_cast<int>(items.size());
            items.push_back(close);
            return;
        }
        FormatItem item;
        switch (upper(c)) {
        case 'X':
            if (!counted) fail("X without its count");
            ++pos_;
            item.kind = FormatItem::Kind::Skip;
            item.width = repeat;
            items.push_back(item);
            return;
        case 'I':
            ++pos_;
            item.kind = FormatItem::Kind::Integer;
            item.width = number(1, "field width");
            break;
        case 'F':
        case 'E':
            ++pos_;
            item.kind = upper(c) == 'F' ? FormatItem::Kind::Fixed : FormatItem::Kind::Exponent;
            item.width = number(1, "field width");
            if (!take('.')) fail("missing '.' and decimals");
            item.decimals = number(item.kind == FormatItem::Kind::Exponent ? 1 : 0, "decimals");
            break;
        case 'A':
            ++pos_;
            item.kind = FormatItem::Kind::Text;
            if (is_digit(peek())) item.width = number(1, "field width");
            break;
        default: fail(c == '\'' && counted ? "repeat count on a literal" : "unexpected character");
        }
        for (int i = 0; i < repeat; ++i) items.push_back(item);
    }

    FormatItem literal() {
        ++pos_;  // the opening apostrophe; blanks inside are kept
        FormatItem item;
        item.kind = FormatItem::Kind::Literal;
        for (;;) {
            if (pos_ >= text_.size()) fail("literal without its closing apostrophe");
            const char c = text_[pos_++];
            if (c != '\'') {
                item.literal += c;
            } else if (pos_ < text_.size() && text_[pos_] == '\'') {
                item.literal += '\'';
                ++pos_;
            } else {
                return item;
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

Format::Format(std::string_view text) : text_(text) {
    Parser(text).parse(items_);

    // Each literal goes into the pool once, however often it is repeated.
    std::vector<std::uint32_t> offsets(items_.size(), 0);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].kind == FormatItem::Kind::Literal) {
            offsets[i] = static_cast<std::uint32_t>(pool_.size());
            pool_ += items_[i].literal;
        }
    }

    // Expand groups in place, depth first; the step limit bounds the work.
    auto expand = [&](auto& self, std::size_t begin, std::size_t end) -> void {
        for (std::size_t i = begin; i < end; ++i) {
            const FormatItem& item = items_[i];
            if (item.kind == FormatItem::Kind::GroupStart) {
                const auto close = static_cast<std::size_t>(item.partner);
                for (int r = 0; r < item.repeat; ++r) self(self, i + 1, close);
                i = close;
                continue;
            }
            if (steps_.size() >= MAX_STEPS) {
                throw FormatError("format \"" + text_ + "\": more than 100000 steps when expanded");
            }
            FormatStep step;
            step.kind = item.kind;
            step.width = static_cast<std::uint16_t>(item.width);
            step.decimals = static_cast<std::uint16_t>(item.decimals);
            if (item.kind == FormatItem::Kind::Literal) {
                step.offset = offsets[i];
                step.length = static_cast<std::uint32_t>(item.literal.size());
            }
            steps_.push_back(step);
            switch (item.kind) {
            case FormatItem::Kind::Integer:
            case FormatItem::Kind::Fixed:
            case FormatItem::Kind::Exponent: slots_.push_back(item.kind); break;
            case FormatItem::Kind::Text:
                slots_.push_back(item.kind);
                output_only_ = true;
                break;
            case FormatItem::Kind::Literal: output_only_ = true; break;
            default: break;
            }
        }
    };
    expand(expand, 0, items_.size());
}

}  // namespace talik
