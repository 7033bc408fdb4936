#include "splitjoin/core/JoinEngine.h"

#include <algorithm>
#include <new>

#include "splitjoin/core/PieceNames.h"

namespace splitjoin {

namespace {

// An input that is the output has the output's length when it is opened
// (nobody else may write the output meanwhile), so only then is the costlier
// identity asked for.
bool IsTheOutput(EngineInput& input, EngineOutput& output, std::uint64_t outputLength) {
    return input.Length() == outputLength && input.Identity().SameAs(output.Identity());
}

}  // namespace

RunResult RunJoin(EngineFiles& files, const JoinRequest& request, EngineEvents& events, LeadBytePredicate isLead) {
    std::vector<char> buffer;
    try {
        buffer.resize(kCopyBlockSize);
    } catch (const std::bad_alloc&) {
        return RunResult{RunStatus::NoMemory, std::string(), 0, 0};
    }

    int error = 0;
    bool created = false;
    std::uint64_t previousLength = 0;
    // Opened without emptying it, also when it is to be replaced: an input
    // may be this very file under another name (a hard link, another drive
    // letter or share, a short name), which only the open file can tell.
    std::unique_ptr<EngineOutput> output =
        files.OpenOutput(request.output, OutputOpen::Append, created, previousLength, error);
    if (!output) return RunResult{RunStatus::OpenOutputFailed, request.output, error, 0};

    // A file to replace stays as it is, held open, until the joined one is
    // complete beside it.
    const bool replacing = request.how == OutputOpen::CreateOrReplace && !created;
    std::unique_ptr<EngineOutput> temporary;
    std::string temporaryPath;
    if (replacing) {
        unsigned number = 1;
        temporary = CreateTemporaryBeside(files, request.output, "~pj", number, temporaryPath, error, isLead);
        if (!temporary) return RunResult{RunStatus::OpenOutputFailed, request.output, error, 0};
    }
    EngineOutput& sink = replacing ? *temporary : *output;

    // Puts the output back as it was before this run.
    auto restore = [&] {
        if (replacing) {
            temporary.reset();
            files.Remove(temporaryPath);
        } else if (created) {
            output.reset();
            files.Remove(request.output);
        } else {
            output->Truncate(previousLength);
            output->Close();
        }
        output.reset();
    };
    auto fail = [&](RunStatus status, const std::string& path, int code) {
        restore();
        return RunResult{status, path, code, 0};
    };

    std::uint64_t written = 0;
    for (std::size_t row = 0; row < request.inputs.size(); ++row) {
        const std::string& path = request.inputs[row];
        std::unique_ptr<EngineInput> input = files.OpenInput(path, false, error);
        if (!input) return fail(RunStatus::OpenInputFailed, path, error);
        if (IsTheOutput(*input, *output, previousLength + (replacing ? 0 : written))) {
            input.reset();
            return fail(RunStatus::SameFile, path, 0);
        }
        const std::uint64_t length = input->Length();
        if (request.reportItems) events.Item(row);

        std::uint64_t done = 0;
        std::uint64_t nextCheck = 0;
        int lastPercent = -1;
        while (done < length) {
            if (done >= nextCheck) {
                if (events.StopRequested()) {
                    input.reset();
                    restore();
                    return RunResult{RunStatus::Stopped, std::string(), 0, 0};
                }
                nextCheck = done + kStopCheckBytes;
            }
            const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(length - done, buffer.size()));
            std::size_t got = 0;
            if (!input->Read(buffer.data(), want, got)) {
                const int code = input->LastError();
                input.reset();
                return fail(RunStatus::ReadFailed, path, code);
            }
            if (got == 0) {
                // Shorter than its length said: the joined file would lack data.
                input.reset();
                return fail(RunStatus::ReadFailed, path, 0);
            }
            done += got;
            std::size_t keep = got;
            if (done == length && request.dropEndMark && static_cast<unsigned char>(buffer[got - 1]) == kTextEndMark)
                --keep;
            if (keep > 0 && !sink.Write(buffer.data(), keep)) {
                const int code = sink.LastError();
                input.reset();
                return fail(RunStatus::WriteFailed, request.output, code);
            }
            written += keep;
            const int percent = ProgressPercent(done, length);
            if (percent != lastPercent) events.Percent(percent);
            lastPercent = percent;
        }
    }
    if (!sink.Close()) {
        const int code = sink.LastError();
        return fail(RunStatus::WriteFailed, request.output, code);
    }
    output.reset();
    if (replacing) {
        temporary.reset();
        if (!files.Replace(request.output, temporaryPath, error)) {
            files.Remove(temporaryPath);
            return RunResult{RunStatus::WriteFailed, request.output, error, 0};
        }
    }
    return RunResult{RunStatus::Done, std::string(), 0, written};
}

}  // namespace splitjoin
