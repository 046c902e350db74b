#include "text/Messages.h"

#include "text/Gb18030.h"

#include <atomic>

namespace kestrum {
namespace {
// Atomic: search workers make messages too.
std::atomic<Messages::Translator> installed{nullptr};
} // namespace

void Messages::setTranslator(Translator translator) {
    installed = translator;
}

std::string Messages::tr(const char* utf8) {
    Translator translator = installed;
    return gb(translator ? translator("Messages", utf8) : std::string(utf8));
}

} // namespace kestrum
