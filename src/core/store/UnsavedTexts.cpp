#include "store/UnsavedTexts.h"

#include "store/Capture.h"
#include "store/CategoryTable.h"
#include "store/FileStore.h"
#include "store/Folders.h"
#include "store/ProgramState.h"
#include "text/CaptureNames.h"

namespace kestrum {

std::vector<std::string> UnsavedTexts::pending(const Folders& folders) const {
    std::vector<std::string> out;
    for (const auto& name : names_)
        if (files::exists(folders.categoryWorkingFile(name)))
            out.push_back(name);
    return out;
}

void markLeftoverWorkingFiles(ProgramState& state, const std::vector<std::string>& categories) {
    for (const auto& name : categories)
        if (files::exists(state.folders.categoryWorkingFile(name)))
            state.unsaved.changed(name);
}

std::string saveIntoCategoryFolder(ProgramState& state, const std::string& category) {
    std::string text = files::load(state.folders.categoryWorkingFile(category));
    std::string folder = categories::folder(state.settings, category, state.folders.program);
    std::string path = saveUnderFreeName(withSlash(folder), names::firstLineName(text),
                                         categoryFileBytes(state.settings, text));
    state.unsaved.saved(category);
    return path;
}

} // namespace kestrum
