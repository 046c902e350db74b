#include "text/ReadFailureText.h"

#include "base/Errors.h"
#include "text/Messages.h"
#include "text/NativePath.h"

namespace kestrum::files {

std::string readFailureMessage(ReadFailure failure, std::string_view path) {
    if (failure == ReadFailure::notRegular)
        return formatMessage(Messages::tr("“%s”不是普通文件（是管道、设备或文件夹），不能读取。"),
                             path);
    return formatMessage(kCannotOpen, path);
}

void raiseReadFailure(ReadFailure failure, std::string_view path) {
    throw KestrumError(readFailureMessage(failure, path));
}

UserFileBytes readUserFileOrRaise(std::string_view path, std::size_t most, std::uint64_t offset) {
    UserFileBytes read = readUserFile(nativePath(path).c_str(), most, offset);
    if (read.failure != ReadFailure::none)
        raiseReadFailure(read.failure, path);
    return read;
}

} // namespace kestrum::files
