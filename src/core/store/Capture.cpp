#include "store/Capture.h"

#include "base/Errors.h"
#include "store/CategoryTable.h"
#include "store/FileStore.h"
#include "store/ProgramState.h"
#include "store/SettingKeys.h"
#include "text/CaptureNames.h"
#include "text/Gb18030.h"
#include "text/Messages.h"
#include "text/TextLines.h"

namespace kestrum {

std::string saveUnderFreeName(std::string_view folder, std::string_view name,
                              std::string_view bytes) {
    for (int n = 0; n <= names::kLastNumber; ++n) {
        std::string path = names::numberedFile(folder, name, n);
        if (!files::exists(path) && files::createNew(path, bytes))
            return path;
    }
    throw KestrumError(formatMessage(Messages::tr("“%s”里从 .txt 到 (1000).txt 的文件名都已经有了。"
                                                  "为了不覆盖任何文件，这次的文字没有保存。"),
                                     names::numberedFile(folder, name, 0)));
}

std::string categoryFileBytes(const IniFile& settings, std::string_view text) {
    return readSetting(settings, settingKeys().saveUtf8) ? gb18030::toUtf8(text)
                                                         : std::string(text);
}

namespace {

void saveInCategoryFolder(ProgramState& state, const std::string& name, const std::string& text,
                          CapturePresenter& presenter) {
    saveUnderFreeName(withSlash(state.captureFolder), name,
                      categoryFileBytes(state.settings, text));
    presenter.showSavedHint(Messages::tr("已经保存在") + state.captureCategory + "\r" +
                            Messages::tr("保存目录是") + state.captureFolder);
}

// The newest capture goes on top of what the category collected this run.
std::string prependToWorkingFile(const std::string& workingFile, const std::string& text) {
    std::string content = text;
    if (files::exists(workingFile))
        content.append(lines::kCrLf).append(files::load(workingFile));
    files::replace(workingFile, content);
    return content;
}

// The steps both flows share: the auto-saved file, the capture copy, the
// working file, the report and the sound. `selectAfterWorkingFile` is the
// paste flow's selection of the first category.
std::string storeCapture(ProgramState& state, const std::string& name, const std::string& text,
                         std::optional<int> selectAfterWorkingFile, CapturePresenter& presenter) {
    if (state.autoSave)
        saveInCategoryFolder(state, name, text, presenter);
    saveUnderFreeName(state.folders.working(), name, text);
    std::string workingFile = state.folders.categoryWorkingFile(state.captureCategory);
    state.workingFiles.wait(); // the editor's last write first: the capture goes on top of it
    std::string content = prependToWorkingFile(workingFile, text);
    if (!state.autoSave)
        state.unsaved.changed(state.captureCategory);
    presenter.showWorkingFile(state.captureCategory, content);
    if (selectAfterWorkingFile)
        presenter.selectCategory(*selectAfterWorkingFile);
    presenter.showStatus(Messages::tr("这是") + state.captureCategory + Messages::tr("保存目录是") +
                         state.captureFolder);
    state.sound = readSetting(state.settings, settingKeys().sound);
    if (state.sound)
        presenter.playCaptureSound();
    return workingFile;
}

} // namespace

void captureDrop(ProgramState& state, std::string_view droppedText, bool dropListEmpty,
                 CapturePresenter& presenter) {
    std::optional<std::string> workingFile;
    if (!droppedText.empty() && !dropListEmpty) {
        std::string text = lines::withCrLf(droppedText);
        try {
            workingFile =
                storeCapture(state, names::dropCaptureName(text), text, std::nullopt, presenter);
        } catch (...) {
            // A capture that failed part-way still gives the picture back.
            presenter.returnToPicture();
            throw;
        }
    }
    presenter.returnToPicture();
    if (state.dropIndex >= 0)
        presenter.selectCategory(state.dropIndex);
    if (workingFile)
        presenter.showWorkingFile(state.captureCategory, files::load(*workingFile));
    presenter.refreshFileList();
}

void capturePaste(ProgramState& state, const std::vector<std::string>& categoryList,
                  const std::optional<std::string>& clipboardText, CapturePresenter& presenter) {
    if (!clipboardText)
        return;
    if (categoryList.empty())
        return;
    state.captureCategory = categoryList.front();
    state.captureFolder =
        categories::folder(state.settings, state.captureCategory, state.folders.documents);
    std::string text = lines::withCrLf(*clipboardText);
    if (text.empty())
        return;
    storeCapture(state, names::pasteCaptureName(text), text, 0, presenter);
    presenter.refreshFileList();
}

} // namespace kestrum
