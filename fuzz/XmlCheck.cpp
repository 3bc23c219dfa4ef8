#include "fuzz/XmlCheck.h"

#include <cstddef>
#include <string>
#include <vector>

namespace polygrav::fuzz {

namespace {

bool IsNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
}

bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool Document() {
        if (!Declaration()) return false;
        SkipBlanks();
        std::vector<std::string> open;
        if (!Element(open)) return false;
        SkipBlanks();
        return pos_ == text_.size();
    }

  private:
    bool Declaration() {
        if (text_.substr(0, 5) != "<?xml") return false;
        const auto end = text_.find("?>");
        if (end == std::string_view::npos) return false;
        pos_ = end + 2;
        return true;
    }

    void SkipBlanks() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    }

    bool Name(std::string& name) {
        if (pos_ >= text_.size() || !IsNameStart(text_[pos_])) return false;
        const std::size_t start = pos_;
        while (pos_ < text_.size() && IsNameChar(text_[pos_])) ++pos_;
        name.assign(text_.substr(start, pos_ - start));
        return true;
    }

    // An attribute value in double quotes without "<" and with "&" only as
    // part of an entity reference.
    bool AttributeValue() {
        if (pos_ >= text_.size() || text_[pos_] != '"') return false;
        ++pos_;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            if (text_[pos_] == '<') return false;
            if (text_[pos_] == '&') {
                const auto semi = text_.find(';', pos_);
                if (semi == std::string_view::npos || semi == pos_ + 1) return false;
                pos_ = semi;
            }
            ++pos_;
        }
        if (pos_ >= text_.size()) return false;
        ++pos_;
        return true;
    }

    bool Element(std::vector<std::string>& open) {
        if (pos_ >= text_.size() || text_[pos_] != '<') return false;
        ++pos_;
        std::string name;
        if (!Name(name)) return false;
        std::vector<std::string> attributes;
        for (;;) {
            const std::size_t before = pos_;
            SkipBlanks();
            if (pos_ >= text_.size()) return false;
            if (text_.substr(pos_, 2) == "/>") {
                pos_ += 2;
                return true;
            }
            if (text_[pos_] == '>') {
                ++pos_;
                break;
            }
            if (pos_ == before) return false;  // attributes are separated by blanks
            std::string attribute;
            if (!Name(attribute)) return false;
            for (const auto& seen : attributes) {
                if (seen == attribute) return false;
            }
            attributes.push_back(attribute);
            if (pos_ >= text_.size() || text_[pos_] != '=') return false;
            ++pos_;
            if (!AttributeValue()) return false;
        }
        open.push_back(name);
        for (;;) {
            SkipBlanks();
            if (text_.substr(pos_, 2) == "</") {
                pos_ += 2;
                std::string closing;
                if (!Name(closing) || closing != open.back()) return false;
                SkipBlanks();
                if (pos_ >= text_.size() || text_[pos_] != '>') return false;
                ++pos_;
                open.pop_back();
                return true;
            }
            if (!Element(open)) return false;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

bool IsWellFormedXml(std::string_view text) {
    return Reader(text).Document();
}

}  // namespace polygrav::fuzz
