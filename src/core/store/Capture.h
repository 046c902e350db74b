#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrum {

class IniFile;
struct ProgramState;

// What a capture shows the user; the windows implement it.
class CapturePresenter {
  public:
    virtual ~CapturePresenter() = default;
    virtual void showStatus(const std::string& text) = 0;    // the editor's message panel
    virtual void showSavedHint(const std::string& text) = 0; // the drop picture's hint
    // The editor's main text: `category`'s working file, which holds `text`.
    virtual void showWorkingFile(const std::string& category, const std::string& text) = 0;
    virtual void selectCategory(int index) = 0; // selection only
    virtual void playCaptureSound() = 0;        // returns when it has finished
    virtual void refreshFileList() = 0;
    virtual void returnToPicture() = 0;
};

// Writes `bytes` as folder + name + ".txt", or name(1).txt ... name(1000).txt
// when taken, and returns the path; an existing file is never replaced,
// even by a race with another program. Raises when all are taken.
std::string saveUnderFreeName(std::string_view folder, std::string_view name,
                              std::string_view bytes);

// The bytes a file written into a category folder gets: the program text
// as it is, or as UTF-8 when "文件用UTF-8保存" is on.
std::string categoryFileBytes(const IniFile& settings, std::string_view text);

// Stores a dropped text in the capture category chosen during the drag.
// Nothing is stored when the text is empty or the drop list was empty.
void captureDrop(ProgramState& state, std::string_view text, bool dropListEmpty,
                 CapturePresenter& presenter);

// Stores the clipboard's text (nullopt: the clipboard holds no text) in the
// first category of `categoryList`.
void capturePaste(ProgramState& state, const std::vector<std::string>& categoryList,
                  const std::optional<std::string>& clipboardText, CapturePresenter& presenter);

} // namespace kestrum
