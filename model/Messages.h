#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace polygrav {

// The two languages of the interface. Japanese is the source language and
// the one of a Japanese, C or POSIX locale.
enum class Language { Japanese, English };

// One id a text of the catalogue (model/Messages.def).
enum class MessageId {
#define POLYGRAV_MESSAGE(id, japanese, english) id,
#include "model/Messages.def"
#undef POLYGRAV_MESSAGE
};

// The catalogue's text of id in language, with its %1 to %9 unfilled.
std::string_view MessageTemplate(MessageId id, Language language);

// The text of id in language with %1 to %9 replaced by args[0] to args[8].
// An argument is put in as it is: a "%1" inside it is not replaced again. A
// placeholder without its argument stays as it stands.
std::string MessageText(MessageId id, const std::vector<std::string>& args, Language language);
// The same in the program's message language.
std::string MessageText(MessageId id, const std::vector<std::string>& args = {});

// A message as the core raises and reports it: its id and its arguments, so
// that it can be shown in either language.
struct Message {
    MessageId id;
    std::vector<std::string> args;

    // The text in the given language, or in the program's message language.
    std::string In(Language language) const { return MessageText(id, args, language); }
    std::string text() const;

    friend bool operator==(const Message&, const Message&) = default;
    friend bool operator==(const Message& m, std::string_view text) { return m.text() == text; }
};

// Writes the message's text, for test failures and logs.
std::ostream& operator<<(std::ostream& out, const Message& message);

// The language in which the program shows its messages; Japanese until a
// program's start sets the user's choice (see LanguageChoice.h).
Language MessageLanguage();
void SetMessageLanguage(Language language);

}  // namespace polygrav
