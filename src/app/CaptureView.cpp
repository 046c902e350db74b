#include "CaptureView.h"

#include "Desktop.h"
#include "ProgramText.h"
#include "save1.h"
#include "save2.h"

void CaptureView::showStatus(const std::string& text) {
    editor_.setMessage(toQt(text), false);
}
void CaptureView::showSavedHint(const std::string& text) {
    dropWindow_.setSavedHint(toQt(text));
}
void CaptureView::showWorkingFile(const std::string& category, const std::string& text) {
    editor_.showWorkingFile(category, text);
}
void CaptureView::selectCategory(int index) {
    editor_.selectCategory(index);
}
void CaptureView::playCaptureSound() {
    desktop_.playCaptureSound();
}
void CaptureView::refreshFileList() {
    editor_.refreshFileList();
}
void CaptureView::returnToPicture() {
    dropWindow_.returnToPicture();
}
