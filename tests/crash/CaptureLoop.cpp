// The crash test's helper: starts as the program starts (sweeping what an
// earlier run left), then stores captures into one category in a loop and
// prints "done R C" after each capture has returned, until it is killed.
// Usage: capture_loop ROOT RUN [start-only]
#include "CrashTexts.h"
#include "store/Capture.h"
#include "store/CategoryTable.h"
#include "store/ProgramState.h"
#include "store/RunFiles.h"

#include <string>
#include <unistd.h>

using namespace kestrum;

namespace {
class SilentPresenter : public CapturePresenter {
    void showStatus(const std::string&) override {}
    void showSavedHint(const std::string&) override {}
    void showWorkingFile(const std::string&, const std::string&) override {}
    void selectCategory(int) override {}
    void playCaptureSound() override {}
    void refreshFileList() override {}
    void returnToPicture() override {}
};
} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    std::string root = std::string(argv[1]) + "/";
    int run = std::stoi(argv[2]);
    ProgramState state;
    state.folders = {root + "program/", root + "tmp/", root + "docs/"};
    state.openSettings();
    createWorkingFolder(state.folders);
    removeStaleSiblings(state.folders, state.settings);
    if (argc > 3)
        return 0;
    state.autoSave = true;
    state.captureCategory = crash::kCategory;
    state.captureFolder = root + crash::kCategory;
    SilentPresenter presenter;
    for (int capture = 0;; ++capture) {
        captureDrop(state, crash::captureText(run, capture), false, presenter);
        std::string done = "done " + std::to_string(run) + " " + std::to_string(capture) + "\n";
        if (write(STDOUT_FILENO, done.data(), done.size()) < 0)
            return 1;
    }
}
