// The message's Base64 lines and layout, read back by coreutils, Python's
// base64 and email modules, and munpack.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "mailer/core/Base64Lines.h"
#include "mailer/core/MailMessage.h"
#include "framework/core/MbcsPath.h"

using namespace mailer;

namespace {

std::string Encode(const std::string& bytes) {
    std::string text(Base64LinesSize(bytes.size()), '\0');
    const char* end = EncodeBase64Lines(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &text[0]);
    EXPECT_EQ(end, text.data() + text.size());
    return text;
}

std::string Output(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (size_t got; pipe && (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, got);
    if (pipe) pclose(pipe);
    return out;
}

std::string Saved(const std::string& name, const std::string& bytes) {
    const std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string RandomBytes(size_t size, size_t seed) {
    std::mt19937 random(static_cast<unsigned>(seed));
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

}  // namespace

TEST(MailBase64, MatchesCoreutilsAndPythonInLinesOf76) {
    const size_t sizes[] = {0, 1, 2, 3, 57, 58, 2280, 2281, 9999, 100003};
    std::string paths;
    for (size_t size : sizes) paths += " " + Saved("mailer_b64_" + std::to_string(size), RandomBytes(size, size));
    // One Python for all sizes (it starts slowly), each text closed by "-", which Base64 never holds.
    std::string python = Output(
        "python3 -c 'import base64,sys\nfor p in sys.argv[1:]: sys.stdout.buffer.write("
        "base64.encodebytes(open(p,\"rb\").read()).replace(b\"\\n\", b\"\\r\\n\") + b\"-\")'" +
        paths);
    for (size_t size : sizes) {
        const std::string ours = Encode(RandomBytes(size, size)), path = testing::TempDir() + "mailer_b64_";
        EXPECT_EQ(ours, python.substr(0, python.find('-'))) << size;
        python.erase(0, python.find('-') + 1);
        EXPECT_EQ(ours, Output("base64 -w 76 " + path + std::to_string(size) + " | sed 's/$/\\r/'")) << size;
    }
    EXPECT_EQ(Encode("abc"), "YWJj\r\n");
}

TEST(MailMessage, HeaderLayoutAndNameAfterTheLastRealBackslash) {
    EXPECT_EQ(MessageHead({}, "C:\\a\\pack.lzh", SingleByteCodePage),
              "From: \"\" <>\r\nSubject:\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed;\r\n"
              "\tboundary=\"----=_NextPart_\"\r\nX-Priority: 3\r\nX-MSMail-Priority: Normal\r\nX-Unsent: 1\r\n\r\n"
              "------=_NextPart_\r\n------=_NextPart_\r\nContent-Type: application/octet-stream;\r\n\tname=\"\"\r\n"
              "Content-Transfer-Encoding: base64\r\nContent-Disposition: attachment;\r\n"
              "\tfilename=\"pack.lzh\"\r\n\r\n");
    // "\x95\x5C" and "\x83\x5C" are Japanese characters whose second byte is "\".
    const std::pair<const char*, const char*> names[] = {
        {"pack.lzh", "pack.lzh"}, {"C:\\a\\\x95\x5C.lzh", "\x95\x5C.lzh"}, {"C:\\\x83\x5C\\b.lzh", "b.lzh"}};
    for (const auto& [path, name] : names)
        EXPECT_NE(MessageHead({}, path, Cp932LeadByte).find("\tfilename=\"" + std::string(name) + "\"\r\n"),
                  std::string::npos)
            << path;
}

TEST(MailMessage, PythonEmailAndMunpackReadTheAttachmentBack) {
    const std::string bytes = RandomBytes(3001, 7);
    const std::string path = Saved(
        "mailer_message.eml", MessageHead({"Ann Example", "ann@example.com"}, "C:\\t\\pack.lzh", SingleByteCodePage) +
                                  Encode(bytes) + kMessageTail);
    EXPECT_EQ(Output("python3 -c 'import email, email.policy, sys\n"
                     "m = email.message_from_binary_file(open(sys.argv[1], \"rb\"), policy=email.policy.default)\n"
                     "a = list(m.iter_attachments())\n"
                     "print(m[\"From\"], m[\"X-Unsent\"], len(a), a[0].get_filename(), "
                     "a[0].get_payload(decode=True) == open(sys.argv[2], \"rb\").read(), sep=\"|\")' " +
                     path + " " + Saved("mailer_in.bin", bytes)),
              "Ann Example <ann@example.com>|1|1|pack.lzh|True\n");
    const std::filesystem::path out = testing::TempDir() + "mailer_munpack";
    std::filesystem::remove_all(out);
    std::filesystem::create_directories(out);
    Output("munpack -q -C " + out.string() + " " + path + " 2>&1");
    std::ifstream unpacked(out / "pack.lzh", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(unpacked), {}), bytes);
}
