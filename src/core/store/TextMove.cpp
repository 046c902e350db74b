#include "store/TextMove.h"

#include "store/Capture.h"
#include "store/CategoryTable.h"
#include "store/FileStore.h"
#include "store/Folders.h"
#include "store/ProgramState.h"
#include "text/CaptureNames.h"
#include "text/TextLines.h"

namespace kestrum {

std::string textToMove(std::string_view editorText, std::string_view selection) {
    if (!selection.empty())
        return std::string(selection);
    std::string all;
    for (auto line : lines::split(editorText))
        all.append(line).append(lines::kCrLf);
    return all;
}

std::string moveText(ProgramState& state, const std::string& target, std::string_view moved) {
    std::string workingFile = state.folders.categoryWorkingFile(target);
    state.workingFiles.wait();
    std::string old = files::exists(workingFile) ? files::load(workingFile) : std::string();
    std::string joined(lines::trimControls(old));
    if (!joined.empty())
        joined.append(lines::kCrLf);
    joined.append(moved);
    std::string content;
    for (auto line : lines::split(joined))
        content.append(line).append(lines::kCrLf);
    files::replace(workingFile, content);
    state.unsaved.changed(target);
    return content;
}

std::string autoSaveMoved(ProgramState& state, const std::string& target,
                          const std::string& content) {
    std::string folder = categories::folder(state.settings, target, state.folders.program);
    std::string path = saveUnderFreeName(withSlash(folder), names::firstLineName(content),
                                         categoryFileBytes(state.settings, content));
    state.unsaved.saved(target); // the whole working file is in that file now
    return path;
}

} // namespace kestrum
