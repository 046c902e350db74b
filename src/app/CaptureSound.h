#pragma once

#include <QByteArray>
#include <QString>

// Plays a WAVE sound through the desktop's sound server and returns when it
// has finished. With no sound server, or a sound it cannot read, it is
// silent: a missing sound never stops a capture.
class CaptureSound {
  public:
    explicit CaptureSound(const QString& resource = QStringLiteral(":/vrowav"));
    // False when nothing was played.
    bool play() const;

  private:
    QByteArray wave_;
};
