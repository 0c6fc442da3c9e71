#include "exchange/XmlTokens.h"

#include <charconv>
#include <stdexcept>

namespace etikor {

namespace {

// A tag is the element's name and attributes; no workbook writes one anywhere near this long.
constexpr std::size_t kMaxTag = std::size_t(32) << 20;

bool space(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

void appendUtf8(std::string& out, uint32_t c) {
    if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        out += '?';
    } else if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

void TXmlTokens::Decode(std::string_view raw, std::string& out) {
    std::size_t i = 0;
    while (i < raw.size()) {
        const std::size_t special = raw.find_first_of("&\r", i);
        if (special == std::string_view::npos) {
            out.append(raw.substr(i));
            return;
        }
        out.append(raw.substr(i, special - i));
        i = special;
        if (raw[i] == '\r') {
            // Line ends as XML gives them: CR LF and CR alone are LF.
            out += '\n';
            i += i + 1 < raw.size() && raw[i + 1] == '\n' ? 2 : 1;
            continue;
        }
        const std::size_t semicolon = raw.find(';', i);
        if (semicolon == std::string_view::npos || semicolon - i > 12) {
            out += '&';
            ++i;
            continue;
        }
        const std::string_view entity = raw.substr(i + 1, semicolon - i - 1);
        if (entity == "lt")
            out += '<';
        else if (entity == "gt")
            out += '>';
        else if (entity == "amp")
            out += '&';
        else if (entity == "quot")
            out += '"';
        else if (entity == "apos")
            out += '\'';
        else if (entity.size() > 1 && entity[0] == '#') {
            const bool hex = entity[1] == 'x' || entity[1] == 'X';
            const std::string_view digits = entity.substr(hex ? 2 : 1);
            uint32_t code = 0;
            const auto result =
                std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
            appendUtf8(out,
                       result.ec == std::errc() && result.ptr == digits.data() + digits.size() ? code : 0);
        } else {
            out.append(raw.substr(i, semicolon - i + 1)); // no entity of these formats
        }
        i = semicolon + 1;
    }
}

bool TXmlTokens::Have(std::size_t count) {
    while (FBuffer.size() - FPos < count) {
        if (FEnded)
            return false;
        if (FPos > 0) {
            FBuffer.erase(0, FPos);
            FPos = 0;
        }
        if (!FFeed(FBuffer))
            FEnded = true;
    }
    return true;
}

std::size_t TXmlTokens::Find(std::string_view what, std::size_t offset) {
    while (true) {
        const std::size_t at = FBuffer.find(what, FPos + offset);
        if (at != std::string::npos)
            return at - FPos;
        const std::size_t held = FBuffer.size() - FPos;
        offset = held >= what.size() ? held - what.size() + 1 : 0;
        if (held > kMaxTag || !Have(held + 1))
            return std::string::npos;
    }
}

void TXmlTokens::ParseTag(std::size_t end) {
    FTag.assign(FBuffer, FPos + 1, end - 1);
    FPos += end + 1;
    FAttributes.clear();
    std::string_view tag = FTag;
    const bool closing = !tag.empty() && tag.front() == '/';
    if (closing)
        tag.remove_prefix(1);
    const bool selfClosing = !closing && !tag.empty() && tag.back() == '/';
    if (selfClosing)
        tag.remove_suffix(1);
    std::size_t i = 0;
    while (i < tag.size() && !space(tag[i]))
        ++i;
    const std::string_view qualified = tag.substr(0, i);
    const std::size_t colon = qualified.rfind(':');
    FPrefix = colon == std::string_view::npos ? std::string_view() : qualified.substr(0, colon);
    FName = colon == std::string_view::npos ? qualified : qualified.substr(colon + 1);
    FToken = closing ? Token::End : Token::Start;
    FPendingEnd = selfClosing;
    if (closing)
        return;
    while (i < tag.size()) {
        while (i < tag.size() && space(tag[i]))
            ++i;
        const std::size_t nameStart = i;
        while (i < tag.size() && tag[i] != '=' && !space(tag[i]))
            ++i;
        const std::string_view name = tag.substr(nameStart, i - nameStart);
        while (i < tag.size() && space(tag[i]))
            ++i;
        if (i >= tag.size() || tag[i] != '=')
            return; // a malformed rest of the tag says nothing
        ++i;
        while (i < tag.size() && space(tag[i]))
            ++i;
        if (i >= tag.size() || (tag[i] != '"' && tag[i] != '\''))
            return;
        const char quote = tag[i++];
        const std::size_t close = tag.find(quote, i);
        if (close == std::string_view::npos)
            return;
        const std::size_t nameColon = name.rfind(':');
        FAttributes.push_back({nameColon == std::string_view::npos ? name : name.substr(nameColon + 1),
                               tag.substr(i, close - i)});
        i = close + 1;
    }
}

TXmlTokens::Token TXmlTokens::Next() {
    FText.clear();
    if (FPendingEnd) {
        FPendingEnd = false;
        FAttributes.clear();
        return FToken = Token::End;
    }
    while (true) {
        if (!Have(1))
            return FToken = Token::Done;
        if (FBuffer[FPos] != '<') {
            std::size_t end = FBuffer.find('<', FPos);
            if (end == std::string::npos) {
                end = FBuffer.size();
                // An entity cut by the end of the piece waits for the next one.
                const std::size_t amp = FBuffer.rfind('&', end - 1);
                if (amp != std::string::npos && amp >= FPos && FBuffer.find(';', amp) == std::string::npos &&
                    end - amp <= 12) {
                    if (amp == FPos) {
                        if (!Have(end - FPos + 1)) {
                            Decode(std::string_view(FBuffer).substr(FPos), FText);
                            FPos = FBuffer.size();
                            return FToken = Token::Text;
                        }
                        continue;
                    }
                    end = amp;
                }
                // A CR whose LF may follow in the next piece waits too.
                if (end > FPos + 1 && FBuffer[end - 1] == '\r')
                    --end;
            }
            Decode(std::string_view(FBuffer).substr(FPos, end - FPos), FText);
            FPos = end;
            return FToken = Token::Text;
        }
        if (!Have(2))
            throw std::runtime_error("unterminated tag");
        const char second = FBuffer[FPos + 1];
        if (second == '?') {
            const std::size_t end = Find("?>", 2);
            if (end == std::string::npos)
                throw std::runtime_error("unterminated processing instruction");
            FPos += end + 2;
            continue;
        }
        if (second == '!') {
            Have(9);
            const std::string_view start = std::string_view(FBuffer).substr(FPos, 9);
            if (start.substr(0, 4) == "<!--") {
                const std::size_t end = Find("-->", 4);
                if (end == std::string::npos)
                    throw std::runtime_error("unterminated comment");
                FPos += end + 3;
                continue;
            }
            if (start == "<![CDATA[") {
                const std::size_t end = Find("]]>", 9);
                if (end == std::string::npos)
                    throw std::runtime_error("unterminated CDATA section");
                FText.assign(FBuffer, FPos + 9, end - 9);
                FPos += end + 3;
                return FToken = Token::Text;
            }
            // A document type declaration, with its internal subset in brackets.
            const std::size_t open = Find("[", 2), close = Find(">", 2);
            if (close == std::string::npos)
                throw std::runtime_error("unterminated declaration");
            std::size_t end = close;
            if (open != std::string::npos && open < close) {
                end = Find("]>", open);
                if (end == std::string::npos)
                    throw std::runtime_error("unterminated declaration");
                ++end;
            }
            FPos += end + 1;
            continue;
        }
        // A start or end tag: up to the '>' outside quoted attribute values.
        char quote = 0;
        std::size_t i = 1;
        while (true) {
            if (FPos + i >= FBuffer.size() && (i > kMaxTag || !Have(i + 1)))
                throw std::runtime_error(i > kMaxTag ? "a tag too long" : "unterminated tag");
            const char c = FBuffer[FPos + i];
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                break;
            }
            ++i;
        }
        ParseTag(i);
        return FToken;
    }
}

std::string TXmlTokens::Attribute(std::string_view name) const {
    for (const Attr& a : FAttributes)
        if (a.Name == name) {
            std::string value;
            Decode(a.Value, value);
            return value;
        }
    return {};
}

bool TXmlTokens::HasAttribute(std::string_view name) const {
    for (const Attr& a : FAttributes)
        if (a.Name == name)
            return true;
    return false;
}

void TXmlTokens::SkipElement() {
    for (int depth = 1; depth > 0;) {
        switch (Next()) {
        case Token::Start:
            ++depth;
            break;
        case Token::End:
            --depth;
            break;
        case Token::Text:
            break;
        case Token::Done:
            return;
        }
    }
}

} // namespace etikor
