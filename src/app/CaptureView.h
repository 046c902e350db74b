#pragma once

#include "store/Capture.h"

class Desktop;
class TForm1;
class TForm2;

// Where a capture shows itself: the editor's status, text, selection and
// file list, the drop picture's hint, the sound.
class CaptureView : public kestrum::CapturePresenter {
  public:
    CaptureView(TForm1& dropWindow, TForm2& editor, Desktop& desktop)
        : dropWindow_(dropWindow), editor_(editor), desktop_(desktop) {}

    void showStatus(const std::string& text) override;
    void showSavedHint(const std::string& text) override;
    void showWorkingFile(const std::string& category, const std::string& text) override;
    void selectCategory(int index) override;
    void playCaptureSound() override;
    void refreshFileList() override;
    void returnToPicture() override;

  private:
    TForm1& dropWindow_;
    TForm2& editor_;
    Desktop& desktop_;
};
