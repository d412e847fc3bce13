#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "core/UserPrompt.h"
#include "engine/RunSink.h"
#include "media/VideoFrames.h"

namespace kivo {

// The services a run's files share while several of them are processed at
// once, each on its own thread: one call at a time reaches the wrapped
// prompt, sink or clip rules, so front ends never see two calls together
// (one question at a time, answered for every file as the front end decides).

class SerialisedPrompt : public UserPrompt {
  public:
    explicit SerialisedPrompt(UserPrompt& prompt) : prompt_(prompt) {}

    PromptAnswer Ask(const PromptMessage& message) override {
        const std::lock_guard lock(mutex_);
        return prompt_.Ask(message);
    }
    std::optional<std::string> AskText(const PromptMessage& message,
                                       std::string_view initial) override {
        const std::lock_guard lock(mutex_);
        return prompt_.AskText(message, initial);
    }
    using UserPrompt::Ask;

  private:
    UserPrompt& prompt_;
    std::mutex mutex_;
};

class SerialisedSink : public RunSink {
  public:
    explicit SerialisedSink(RunSink& sink) : sink_(sink) {}

    void FileStarted(const RunProgress& progress) override {
        const std::lock_guard lock(mutex_);
        sink_.FileStarted(progress);
    }
    void Progress(const RunProgress& progress) override {
        const std::lock_guard lock(mutex_);
        sink_.Progress(progress);
    }
    void FileFinished(const RunProgress& progress) override {
        const std::lock_guard lock(mutex_);
        sink_.FileFinished(progress);
    }
    bool TakeCancelRequest() override {
        const std::lock_guard lock(mutex_);
        return sink_.TakeCancelRequest();
    }

  private:
    RunSink& sink_;
    std::mutex mutex_;
};

// The clip rules of a run; `mutex` also guards the run's other decisions on
// replacing files (the overwrite question is asked once per run).
class SerialisedClips : public ClipPolicy {
  public:
    SerialisedClips(ClipPolicy& clips, std::mutex& mutex) : clips_(clips), mutex_(mutex) {}

    std::optional<ClipCodecChoice> ChooseClipCodec(const ClipCodecRequest& request) override {
        const std::lock_guard lock(mutex_);
        return clips_.ChooseClipCodec(request);
    }
    bool MayWriteClip(const std::string& clipPath) override {
        const std::lock_guard lock(mutex_);
        return clips_.MayWriteClip(clipPath);
    }
    void ClipFailed(const std::string& clipPath, const std::string& reason) override {
        const std::lock_guard lock(mutex_);
        clips_.ClipFailed(clipPath, reason);
    }
    void ClipWritten(const std::string& clipPath) override {
        const std::lock_guard lock(mutex_);
        clips_.ClipWritten(clipPath);
    }

  private:
    ClipPolicy& clips_;
    std::mutex& mutex_;
};

}  // namespace kivo
