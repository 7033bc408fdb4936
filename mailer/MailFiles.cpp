#include "mailer/MailFiles.h"

#include <memory>

#include "mailer/core/Base64Lines.h"
#include "framework/core/Exceptions.h"
#include "mailer/core/MailMessage.h"
#include "framework/win32/ScopedHandle.h"

namespace mailer {

namespace {

// Slices of whole lines: about 1 MB of text goes to the disk at a time.
const std::size_t kSliceBytes = kBase64LineBytes * 16384;

EFOpenError CannotRead(const std::string& path) { return EFOpenError("Cannot read file \"" + path + "\""); }

class InFile {
public:
    explicit InFile(const std::string& path)
        : path_(path),
          file_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {
        if (!file_) throw CannotRead(path_);
    }
    // Fills `data` with `size` bytes (a slice, never more than a few MB);
    // fewer only at the end of the file.
    std::size_t Read(char* data, std::size_t size) {
        std::size_t done = 0;
        while (done < size) {
            DWORD got = 0;
            if (!ReadFile(file_.Get(), data + done, static_cast<DWORD>(size - done), &got, nullptr))
                throw CannotRead(path_);
            if (got == 0) break;
            done += got;
        }
        return done;
    }

private:
    std::string path_;
    ScopedFile file_;
};

class OutFile {
public:
    explicit OutFile(const std::string& path)
        : path_(path),
          file_(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {
        if (!file_) throw EFCreateError("Cannot create file \"" + path_ + "\"");
    }
    void Write(const char* data, std::size_t size) {
        DWORD put = 0;
        if (!WriteFile(file_.Get(), data, static_cast<DWORD>(size), &put, nullptr) || put != size) Fail();
    }
    // A close can be the first to report a full disk.
    void Close() {
        if (!CloseHandle(file_.Release())) Fail();
    }

private:
    [[noreturn]] void Fail() const { throw EFCreateError("Cannot write file \"" + path_ + "\""); }
    std::string path_;
    ScopedFile file_;
};

}  // namespace

std::uint64_t EncodeFileBase64(const std::string& source, const std::string& destination) {
    InFile in(source);
    OutFile out(destination);
    // The file goes through in slices of whole lines: memory stays small
    // whatever its size, so no file is too large to send.
    std::unique_ptr<char[]> bytes(new char[kSliceBytes]);
    std::unique_ptr<char[]> text(new char[Base64LinesSize(kSliceBytes)]);
    std::uint64_t written = 0;
    while (const std::size_t got = in.Read(bytes.get(), kSliceBytes)) {
        const char* end = EncodeBase64Lines(reinterpret_cast<const unsigned char*>(bytes.get()), got, text.get());
        out.Write(text.get(), end - text.get());
        written += end - text.get();
    }
    out.Close();
    return written;
}

void WriteMessage(const std::string& message, const std::string& head, const std::string& body) {
    OutFile out(message);
    out.Write(head.data(), head.size());
    // Every line of the text ends CR LF, so copying its bytes copies its lines.
    InFile in(body);
    std::unique_ptr<char[]> buffer(new char[1u << 20]);
    while (const std::size_t got = in.Read(buffer.get(), 1u << 20)) out.Write(buffer.get(), got);
    out.Write(kMessageTail, sizeof kMessageTail - 1);
    out.Close();
}

}  // namespace mailer
