#pragma once

// When the editor's text goes to the category's working file. After a key
// release the file is deleted when the text is blank, else written; after
// a mouse button it is written. What is on disk already is not written
// again, so a key release in a big unchanged text costs nothing.
namespace kestrum {

class WorkingFileSync {
  public:
    enum class Event { KeyRelease, MouseButton };
    enum class Action { None, Write, Delete };

    // The editor was filled from the working file (`fileExists`) or, with
    // no file, left empty; `blank`: the text holds only blanks.
    void loaded(bool fileExists, bool blank);
    // The editor's text changed since it was loaded or last went to disk.
    void edited() {
        dirty_ = true;
        blankKnown_ = false;
    }
    // What `event` asks for; `blank` is whether the text holds only blanks
    // (asked only when the text changed).
    template <typename IsBlank> Action after(Event event, IsBlank blank) {
        if (!blankKnown_) {
            blank_ = blank();
            blankKnown_ = true;
        }
        Action wanted = event == Event::KeyRelease && blank_ ? Action::Delete : Action::Write;
        return dirty_ || onDisk_ != wanted ? wanted : Action::None;
    }
    // An edit has not gone to disk yet.
    bool editedSinceWritten() const { return dirty_; }
    // `action` succeeded: disk and editor agree.
    void done(Action action);

  private:
    bool dirty_ = true;
    bool blank_ = true;
    bool blankKnown_ = false;      // since the last edit
    Action onDisk_ = Action::None; // Write: the text is there; Delete: no file
};

} // namespace kestrum
