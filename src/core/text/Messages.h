#pragma once

#include <string>

// lupdate is told to read this marker as Q_DECLARE_TR_FUNCTIONS, so it files
// the class's tr() calls under the class's name; the core has no Qt, and the
// marker expands to nothing.
#define KESTRUM_TRANSLATION_CONTEXT(context)

namespace kestrum {

// The core's messages in the user's language. Without a translator (tests,
// the command line) a message is its source text, Simplified Chinese.
class Messages {
  public:
    KESTRUM_TRANSLATION_CONTEXT(Messages)

    // Looks up `utf8` under `context`; gives back UTF-8, the source when no
    // translation is there.
    using Translator = std::string (*)(const char* context, const char* utf8);
    // Set once at start, before any message is made.
    static void setTranslator(Translator translator);

    // The message written in UTF-8 as program text (GB18030). A pattern is
    // translated whole, before its "%s" is filled.
    static std::string tr(const char* utf8);
};

} // namespace kestrum
