#include "splitjoin/core/SplitEngine.h"

#include <algorithm>
#include <new>
#include <vector>

#include "splitjoin/core/PieceNames.h"

namespace splitjoin {

RunResult RunSplit(EngineFiles& files, const SplitRequest& request, EngineEvents& events, LeadBytePredicate isLead) {
    RunResult result;
    const std::uint64_t pieceBytes = request.pieceBytes;
    if (pieceBytes == 0) {
        // A zero piece size would create empty pieces without end.
        result.status = RunStatus::BadRequest;
        return result;
    }
    const std::string prefix = PiecePrefix(request.destination, request.source, isLead);
    const std::size_t blockSize =
        static_cast<std::size_t>(std::min<std::uint64_t>(pieceBytes, kCopyBlockSize));
    std::vector<char> buffer;
    try {
        buffer.resize(blockSize);
    } catch (const std::bad_alloc&) {
        result.status = RunStatus::NoMemory;
        return result;
    }

    int error = 0;
    // Nobody may write the source while it is read; this also makes a piece
    // that would land on the source itself fail to open instead of truncating it.
    std::unique_ptr<EngineInput> source = files.OpenInput(request.source, true, error);
    if (!source) {
        result = RunResult{RunStatus::OpenInputFailed, request.source, error, 0};
        return result;
    }
    const std::uint64_t length = source->Length();
    const std::uint64_t count = PieceCount(length, pieceBytes);

    // A failure, like Cancel, keeps the pieces already complete (a user splitting
    // onto removable disks keeps what is done) and removes only the one it broke.
    std::string incomplete;
    auto fail = [&](RunStatus status, const std::string& path, int code, std::uint64_t complete) {
        if (!incomplete.empty()) files.Remove(incomplete);
        return RunResult{status, path, code, complete};
    };

    std::uint64_t remaining = length;
    for (std::uint64_t index = 1; index <= count; ++index) {
        // The pieces written so far are complete and stay.
        if (events.StopRequested()) return RunResult{RunStatus::Stopped, std::string(), 0, index - 1};
        const std::string name = PieceName(prefix, index);
        bool created = false;
        std::uint64_t previous = 0;
        std::unique_ptr<EngineOutput> piece = files.OpenOutput(name, OutputOpen::CreateOrReplace, created, previous, error);
        if (!piece) return fail(RunStatus::OpenOutputFailed, name, error, index - 1);
        incomplete = name;
        events.Percent(PiecePercent(index, pieceBytes, length));
        events.Item(index);

        std::uint64_t left = std::min(pieceBytes, remaining);
        std::uint64_t copied = 0;
        std::uint64_t nextCheck = kStopCheckBytes;
        while (left > 0) {
            const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(left, blockSize));
            std::size_t got = 0;
            if (!source->Read(buffer.data(), want, got)) {
                piece.reset();
                return fail(RunStatus::ReadFailed, request.source, source->LastError(), index - 1);
            }
            // The source became shorter than when it was opened: the pieces
            // would not add up to it.
            if (got == 0) {
                piece.reset();
                return fail(RunStatus::ReadFailed, request.source, 0, index - 1);
            }
            if (!piece->Write(buffer.data(), got)) {
                const int code = piece->LastError();
                piece.reset();
                return fail(RunStatus::WriteFailed, name, code, index - 1);
            }
            left -= got;
            remaining -= got;
            copied += got;
            if (left > 0 && copied >= nextCheck) {
                nextCheck = copied + kStopCheckBytes;
                if (events.StopRequested()) {
                    // Only this piece is incomplete.
                    piece.reset();
                    return fail(RunStatus::Stopped, std::string(), 0, index - 1);
                }
            }
        }
        if (!piece->Close()) {
            const int code = piece->LastError();
            piece.reset();
            return fail(RunStatus::WriteFailed, name, code, index - 1);
        }
        incomplete.clear();
    }
    result.written = count;
    return result;
}

}  // namespace splitjoin
