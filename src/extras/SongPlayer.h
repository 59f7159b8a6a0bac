#pragma once
// The about box's music: a tracker module (XM) played from the program's
// resources. The three operations are those of the small module player the
// box has always used: load a song from a resource, play it, free it (which
// stops it). libopenmpt renders the module; Qt Multimedia's QAudioSink pulls
// the samples from a QIODevice.
//
// Nothing here ever reports an error to the user: a module that cannot be
// loaded, no audio device, or an audio device that refuses the format all
// leave the box silent.

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class QAudioSink;
class QIODevice;

namespace openmpt {
class module;
}

class TSongPlayer : public QObject {
    Q_OBJECT
public:
    explicit TSongPlayer(QObject* parent = nullptr);
    ~TSongPlayer() override;

    // Loads the module stored as the resource `name` (":/" + name), freeing
    // any song held before. Returns false, and then holds no song, when the
    // resource is missing or is not a module libopenmpt can play.
    bool SongLoadFromResource(const QString& name);
    // The same from bytes in memory.
    bool SongLoadFromData(const QByteArray& data);

    // Starts playback from the beginning; the song repeats until it is freed.
    // Without a song, or without a usable audio output, nothing happens.
    void SongPlay();

    // Stops playback at once and releases the song. Safe without a song.
    void SongFree();

    // A song is held (the old handle was not 0).
    bool HasSong() const { return module_ != nullptr; }
    // Samples are being handed to an audio output.
    bool IsPlaying() const;

    // Renders the held song into interleaved stereo floats, as playback
    // would (for checking the module without an audio device). Returns the
    // number of frames written; 0 without a song.
    qint64 Render(float* interleavedStereo, qint64 frames, int sampleRate);

private:
    void StopOutput();

    QByteArray data_;
    std::unique_ptr<openmpt::module> module_;
    QAudioSink* sink_ = nullptr;
    QIODevice* source_ = nullptr;
};
