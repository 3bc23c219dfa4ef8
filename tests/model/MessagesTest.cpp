// The catalogue of messages: both languages of every entry, the filling of
// the arguments, and the errors that carry their message.

#include "model/Messages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/Errors.h"

namespace polygrav {
namespace {

constexpr MessageId kIds[] = {
#define POLYGRAV_MESSAGE(id, japanese, english) MessageId::id,
#include "model/Messages.def"
#undef POLYGRAV_MESSAGE
};

// The placeholders %1..%9 that a text uses.
std::set<char> Placeholders(std::string_view text) {
    std::set<char> used;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9') used.insert(text[i + 1]);
    }
    return used;
}

bool HasJapanese(std::string_view text) {
    // Every Japanese character of the catalogue is three bytes in UTF-8, led
    // by 0xE3 (kana, punctuation) or 0xE4..0xE9 (kanji), or 0xEF (full width).
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0xE3 || (byte >= 0xE4 && byte <= 0xE9) || byte == 0xEF) return true;
    }
    return false;
}

// Every entry has a text in each language, with the same placeholders, and
// the English one holds no Japanese character. NoText, the empty label of a
// control that the window's form labels, is the one entry without a text.
TEST(Messages, EveryEntryInBothLanguages) {
    for (const MessageId id : kIds) {
        SCOPED_TRACE(static_cast<int>(id));
        if (id == MessageId::NoText) continue;
        const std::string_view japanese = MessageTemplate(id, Language::Japanese);
        const std::string_view english = MessageTemplate(id, Language::English);
        EXPECT_FALSE(japanese.empty());
        EXPECT_FALSE(english.empty());
        EXPECT_EQ(Placeholders(japanese), Placeholders(english)) << english;
        EXPECT_FALSE(HasJapanese(english)) << english;
    }
}

TEST(Messages, ArgumentsArePutInOnce) {
    // An argument that itself reads like a placeholder is kept as it is.
    EXPECT_EQ(MessageText(MessageId::SettingOutOfRange, {"%2", "%1", "0", "2"}, Language::English),
              "The value %1 of %2 is not within 0 to 2");
    // A repeated placeholder takes the same argument each time.
    const std::string image =
        MessageText(MessageId::ImageTooLarge, {"20000", "16384"}, Language::English);
    EXPECT_EQ(image.find("20000"), image.find("20000 × "));
    EXPECT_NE(image.find("× 20000"), std::string::npos);
    // A placeholder without its argument stays, rather than reading past the
    // arguments.
    EXPECT_EQ(MessageText(MessageId::CannotRun, {}, Language::Japanese),
              std::string(MessageTemplate(MessageId::CannotRun, Language::Japanese)));
}

// An error's text is made in the message language of the moment it is
// raised, and it keeps its id and arguments for the other language.
TEST(Messages, ErrorsCarryTheirMessage) {
    SetMessageLanguage(Language::English);
    const EConvertError english(NotAnIntegerMessage("x"));
    SetMessageLanguage(Language::Japanese);
    const EConvertError japanese(NotAnIntegerMessage("x"));
    EXPECT_EQ(std::string(english.what()), english.message().In(Language::English));
    EXPECT_EQ(std::string(japanese.what()), japanese.message().In(Language::Japanese));
    EXPECT_EQ(english.message(), japanese.message());
    EXPECT_EQ(english.message().id, MessageId::NotAnInteger);
    EXPECT_EQ(english.message().args, (std::vector<std::string>{"'x'"}));
}

}  // namespace
}  // namespace polygrav
