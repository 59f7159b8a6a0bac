#include "extras/SongPlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QFile>
#include <QIODevice>
#include <QMediaDevices>

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cstdint>
#include <sstream>

namespace {

// libopenmpt's supported output rates.
constexpr int kMinSampleRate = 8000;
constexpr int kMaxSampleRate = 192000;
constexpr int kFallbackSampleRate = 44100;

// Hands the audio sink the module's samples as it asks for them. The sink
// reads on the thread it lives on, the user-interface thread, as does every
// other use of the module.
class TSongSource : public QIODevice {
public:
    TSongSource(openmpt::module& module, const QAudioFormat& format, QObject* parent)
        : QIODevice(parent), module_(module), format_(format) {}

    bool isSequential() const override { return true; }
    // A module that repeats has no end: there is always more to read.
    qint64 bytesAvailable() const override {
        return format_.bytesForFrames(format_.sampleRate()) + QIODevice::bytesAvailable();
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const int frameBytes = format_.bytesPerFrame();
        if (frameBytes <= 0)
            return 0;
        const auto frames = static_cast<std::size_t>(maxSize / frameBytes);
        if (frames == 0)
            return 0;
        std::size_t rendered = 0;
        try {
            if (format_.sampleFormat() == QAudioFormat::Float)
                rendered = module_.read_interleaved_stereo(format_.sampleRate(), frames,
                                                           reinterpret_cast<float*>(data));
            else
                rendered = module_.read_interleaved_stereo(format_.sampleRate(), frames,
                                                           reinterpret_cast<std::int16_t*>(data));
        } catch (...) {
            rendered = 0;
        }
        // Past the end (or after a rendering failure) the sink gets silence
        // rather than a starved stream.
        std::fill(data + rendered * frameBytes, data + frames * frameBytes, char{0});
        return static_cast<qint64>(frames) * frameBytes;
    }

    qint64 writeData(const char*, qint64) override { return -1; }

private:
    openmpt::module& module_;
    QAudioFormat format_;
};

// Stereo at the device's own rate, as floats where the device takes them,
// else as 16-bit integers; an invalid format when it takes neither.
QAudioFormat ChooseFormat(const QAudioDevice& device) {
    QAudioFormat format;
    format.setChannelCount(2);
    const int preferred = device.preferredFormat().sampleRate();
    format.setSampleRate(preferred >= kMinSampleRate && preferred <= kMaxSampleRate
                             ? preferred
                             : kFallbackSampleRate);
    format.setSampleFormat(QAudioFormat::Float);
    if (device.isFormatSupported(format))
        return format;
    format.setSampleFormat(QAudioFormat::Int16);
    if (device.isFormatSupported(format))
        return format;
    return {};
}

} // namespace

TSongPlayer::TSongPlayer(QObject* parent) : QObject(parent) {}

TSongPlayer::~TSongPlayer() {
    SongFree();
}

bool TSongPlayer::SongLoadFromResource(const QString& name) {
    SongFree();
    QFile file(QStringLiteral(":/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return SongLoadFromData(file.readAll());
}

bool TSongPlayer::SongLoadFromData(const QByteArray& data) {
    SongFree();
    if (data.isEmpty())
        return false;
    data_ = data;
    // libopenmpt writes its warnings to a log stream; the box stays quiet.
    std::ostringstream quiet;
    try {
        module_ = std::make_unique<openmpt::module>(data_.constData(),
                                                    static_cast<std::size_t>(data_.size()), quiet);
        module_->set_repeat_count(-1);
    } catch (...) {
        module_.reset();
        data_.clear();
        return false;
    }
    return true;
}

void TSongPlayer::SongPlay() {
    if (!module_)
        return;
    StopOutput();
    try {
        module_->set_position_seconds(0.0);
    } catch (...) {
        return;
    }
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return;
    const QAudioFormat format = ChooseFormat(device);
    if (!format.isValid())
        return;
    sink_ = new QAudioSink(device, format, this);
    source_ = new TSongSource(*module_, format, this);
    source_->open(QIODevice::ReadOnly);
    sink_->start(source_);
    if (sink_->error() != QAudio::NoError)
        StopOutput();
}

void TSongPlayer::SongFree() {
    StopOutput();
    module_.reset();
    data_.clear();
}

bool TSongPlayer::IsPlaying() const {
    return sink_ && sink_->error() == QAudio::NoError &&
           (sink_->state() == QAudio::ActiveState || sink_->state() == QAudio::IdleState);
}

qint64 TSongPlayer::Render(float* interleavedStereo, qint64 frames, int sampleRate) {
    if (!module_ || frames <= 0)
        return 0;
    try {
        return static_cast<qint64>(
            module_->read_interleaved_stereo(std::clamp(sampleRate, kMinSampleRate, kMaxSampleRate),
                                             static_cast<std::size_t>(frames), interleavedStereo));
    } catch (...) {
        return 0;
    }
}

void TSongPlayer::StopOutput() {
    if (sink_) {
        // Drop what is buffered so that the sound ends at once, then let go
        // of the device.
        sink_->reset();
        sink_->stop();
        delete sink_;
        sink_ = nullptr;
    }
    if (source_) {
        source_->close();
        delete source_;
        source_ = nullptr;
    }
}
