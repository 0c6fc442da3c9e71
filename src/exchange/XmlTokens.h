#pragma once

// A small pull reader for the XML parts of workbooks, fed piece by piece as a part is unpacked.
// It gives start tags (local name, attributes), end tags and text (entities and character
// references resolved, UTF-8); comments, processing instructions and document type declarations
// are passed over. It is lenient about what it need not understand, never reads outside its
// buffer, and holds no more than the unread rest of one piece and the token it is on.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace etikor {

class TXmlTokens {
public:
    enum class Token { Start, End, Text, Done };
    // `feed` appends the next piece of the document to its argument; false at the end.
    explicit TXmlTokens(std::function<bool(std::string&)> feed) : FFeed(std::move(feed)) {}

    // The next token. A malformed document throws std::runtime_error with the reason.
    Token Next();

    // The local name (after any namespace prefix) and the prefix of the current start or end tag.
    std::string_view Name() const { return FName; }
    std::string_view Prefix() const { return FPrefix; }
    bool IsStart(std::string_view name) const { return FToken == Token::Start && FName == name; }
    bool IsEnd(std::string_view name) const { return FToken == Token::End && FName == name; }
    // An attribute of the current start tag by its local name, its entities resolved; empty when
    // it is missing.
    std::string Attribute(std::string_view name) const;
    bool HasAttribute(std::string_view name) const;
    // The current text, in pieces: a long text may come as several text tokens.
    const std::string& Text() const { return FText; }

    // Skips the element whose start tag is the current token, with everything in it.
    void SkipElement();

private:
    struct Attr {
        std::string_view Name;
        std::string_view Value;
    };
    // Makes at least `count` bytes from the read position available; false when the document
    // ends first.
    bool Have(std::size_t count);
    // The position of `what` at or after `from`, reading more as needed; npos when it never comes.
    std::size_t Find(std::string_view what, std::size_t from);
    void ParseTag(std::size_t end);
    static void Decode(std::string_view raw, std::string& out);

    std::function<bool(std::string&)> FFeed;
    std::string FBuffer;
    std::size_t FPos = 0;
    bool FEnded = false;
    bool FPendingEnd = false; // of a self-closing tag
    Token FToken = Token::Done;
    std::string FTag; // the current tag's text, which the names and attributes point into
    std::string_view FName, FPrefix;
    std::vector<Attr> FAttributes;
    std::string FText;
};

} // namespace etikor
