#include "standins/archive/core/LzhCodec.h"

#include <algorithm>
#include <cstring>
#include <queue>
#include <vector>

#include "standins/archive/core/Checksums.h"

namespace archivers {

namespace {

constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 256;
// Literal bytes, then one symbol per match length.
constexpr int kCodeSymbols = 256 + kMaxMatch - kMinMatch + 1;
constexpr int kCodeCountBits = 9;
// The tree that codes the code-length tree: lengths 0-16 plus three zero runs.
constexpr int kLengthSymbols = 19;
constexpr int kLengthCountBits = 5;
constexpr int kMaxCodeBits = 16;
constexpr std::size_t kIoChunk = 1 << 16;

int PositionSymbols(int dictionaryBits) { return dictionaryBits + 1; }
int PositionCountBits(int dictionaryBits) { return dictionaryBits <= kLh5DictionaryBits ? 4 : 5; }

// ---------------------------------------------------------------- decoding

class BitReader {
public:
    BitReader(ByteSource& in, std::uint64_t available, std::vector<unsigned char>& chunk)
        : in_(in), left_(available), chunk_(chunk) {
        chunk_.resize(kIoChunk);
    }

    unsigned Peek(int n) {
        if (count_ < n) Refill();
        return static_cast<unsigned>(bits_ >> (64 - n));
    }
    void Skip(int n) {
        if (count_ < n) Refill();
        bits_ <<= n;
        count_ -= n;
    }
    unsigned Get(int n) {
        if (n == 0) return 0;
        const unsigned v = Peek(n);
        Skip(n);
        return v;
    }
    // More bits taken than the stream holds (the rest were zeros made up).
    bool PastEnd() const { return zeroBytes_ * 8 > static_cast<std::uint64_t>(count_); }
    bool failed = false;

private:
    void Refill() {
        while (count_ <= 56) {
            std::uint64_t byte = 0;
            if (at_ == end_ && left_ > 0) {
                std::size_t got = 0;
                const std::size_t want = left_ < chunk_.size() ? static_cast<std::size_t>(left_) : chunk_.size();
                if (!in_.Read(chunk_.data(), want, got)) failed = true;
                at_ = 0;
                end_ = got;
                left_ = got ? left_ - got : 0;
            }
            if (at_ < end_) {
                byte = chunk_[at_++];
            } else {
                ++zeroBytes_;
            }
            bits_ |= byte << (56 - count_);
            count_ += 8;
        }
    }

    ByteSource& in_;
    std::uint64_t left_;
    std::vector<unsigned char>& chunk_;
    std::size_t at_ = 0, end_ = 0;
    std::uint64_t bits_ = 0;
    int count_ = 0;
    std::uint64_t zeroBytes_ = 0;
};

// A canonical Huffman code read from its code lengths: codes of one length
// are consecutive and follow the symbols' order, shorter codes first.
class HuffmanDecoder {
public:
    // False when the lengths promise more codes than fit (over-subscribed).
    bool Build(const unsigned char* lengths, int n) {
        single_ = -1;
        std::fill(std::begin(count_), std::end(count_), 0);
        for (int i = 0; i < n; ++i) ++count_[lengths[i]];
        count_[0] = 0;
        int left = 1;
        for (int len = 1; len <= kMaxCodeBits; ++len) {
            left = (left << 1) - count_[len];
            if (left < 0) return false;
        }
        int offset[kMaxCodeBits + 2] = {};
        for (int len = 1; len <= kMaxCodeBits; ++len) offset[len + 1] = offset[len] + count_[len];
        symbols_.assign(static_cast<std::size_t>(offset[kMaxCodeBits + 1]), 0);
        for (int i = 0; i < n; ++i)
            if (lengths[i]) symbols_[static_cast<std::size_t>(offset[lengths[i]]++)] = static_cast<std::uint16_t>(i);
        // The fast table: every code of up to kTableBits bits, in all its continuations.
        std::fill(std::begin(table_), std::end(table_), 0);
        int code = 0, index = 0;
        for (int len = 1; len <= kMaxCodeBits; ++len) {
            for (int k = 0; k < count_[len]; ++k, ++code, ++index) {
                if (len > kTableBits) continue;
                const int first = code << (kTableBits - len);
                for (int j = 0; j < 1 << (kTableBits - len); ++j)
                    table_[first + j] = static_cast<std::uint16_t>(symbols_[static_cast<std::size_t>(index)] | len << 11);
            }
            code <<= 1;
        }
        return true;
    }
    // A tree of one symbol takes no bits at all.
    void BuildSingle(int symbol) { single_ = symbol; }

    // The next symbol; -1 when the bits are no code of this tree.
    int Decode(BitReader& bits) const {
        if (single_ >= 0) return single_;
        const unsigned peek = bits.Peek(kMaxCodeBits);
        const std::uint16_t entry = table_[peek >> (kMaxCodeBits - kTableBits)];
        if (entry >> 11) {
            bits.Skip(entry >> 11);
            return entry & 0x7FF;
        }
        int code = 0, first = 0, index = 0;
        for (int len = 1; len <= kMaxCodeBits; ++len) {
            code |= static_cast<int>((peek >> (kMaxCodeBits - len)) & 1);
            if (code - first < count_[len]) {
                bits.Skip(len);
                return symbols_[static_cast<std::size_t>(index + code - first)];
            }
            index += count_[len];
            first = (first + count_[len]) << 1;
            code <<= 1;
        }
        return -1;
    }

private:
    static constexpr int kTableBits = 10;
    int single_ = -1;
    int count_[kMaxCodeBits + 1] = {};
    std::vector<std::uint16_t> symbols_;
    std::uint16_t table_[1 << kTableBits] = {};
};

class Decoder {
public:
    Decoder(int dictionaryBits, ByteSource& in, std::uint64_t packedSize, ByteSink& out,
            std::vector<unsigned char>& chunk, std::vector<unsigned char>& ring)
        : bits_(in, packedSize, chunk),
          out_(out),
          positionSymbols_(PositionSymbols(dictionaryBits)),
          positionCountBits_(PositionCountBits(dictionaryBits)),
          ring_(ring),
          mask_((std::size_t{1} << dictionaryBits) - 1) {
        ring_.assign(std::size_t{1} << dictionaryBits, ' ');
    }

    bool Run(std::uint64_t originalSize, std::uint16_t& crc, std::string& error) {
        std::uint64_t remaining = originalSize;
        unsigned blockLeft = 0;
        while (remaining > 0 && !failed_) {
            if (blockLeft == 0) {
                if (bits_.PastEnd()) return Fail(error, "the compressed data ends early");
                blockLeft = bits_.Get(16);
                if (blockLeft == 0) return Fail(error, "an empty block");
                if (!ReadLengthTree(kLengthSymbols, kLengthCountBits, 3) || !ReadCodeTree() ||
                    !ReadLengthTree(positionSymbols_, positionCountBits_, -1)) {
                    return Fail(error, "a damaged code table");
                }
            }
            --blockLeft;
            const int c = codes_.Decode(bits_);
            if (c < 0) return Fail(error, "a damaged code");
            if (c < 256) {
                Put(static_cast<unsigned char>(c));
                --remaining;
                continue;
            }
            const int p = positions_.Decode(bits_);
            if (p < 0) return Fail(error, "a damaged distance");
            const std::size_t distance = (p == 0 ? 0 : (std::size_t{1} << (p - 1)) + bits_.Get(p - 1)) + 1;
            std::uint64_t length = static_cast<std::uint64_t>(c - 256 + kMinMatch);
            if (length > remaining) length = remaining;
            remaining -= length;
            for (std::size_t from = (at_ - distance) & mask_; length > 0; --length, from = (from + 1) & mask_)
                Put(ring_[from]);
        }
        if (!Flush()) return Fail(error, "cannot write the unpacked data");
        if (bits_.failed) return Fail(error, "cannot read the compressed data");
        if (bits_.PastEnd()) return Fail(error, "the compressed data ends early");
        crc = crc_;
        return true;
    }

private:
    bool Fail(std::string& error, const char* why) {
        error = failed_ ? "cannot write the unpacked data" : why;
        return false;
    }

    void Put(unsigned char byte) {
        ring_[at_] = byte;
        at_ = (at_ + 1) & mask_;
        if (at_ == 0) Flush(true);
    }

    // Hands on what the ring holds beyond what went before: all of it once
    // it has wrapped round, up to the current position at the end.
    bool Flush(bool wrapped = false) {
        const std::size_t end = wrapped ? ring_.size() : at_;
        if (end > flushed_) {
            crc_ = Crc16(crc_, &ring_[flushed_], end - flushed_);
            if (!out_.Write(&ring_[flushed_], end - flushed_)) failed_ = true;
        }
        flushed_ = wrapped ? 0 : at_;
        return !failed_;
    }

    // The tree of code lengths (special = 3: after the third length, two bits
    // count zero lengths that follow) or the distance tree (special = -1).
    bool ReadLengthTree(int symbols, int countBits, int special) {
        HuffmanDecoder& tree = special < 0 ? positions_ : lengths_;
        const int n = static_cast<int>(bits_.Get(countBits));
        if (n == 0) {
            const int only = static_cast<int>(bits_.Get(countBits));
            if (only >= symbols) return false;
            tree.BuildSingle(only);
            return true;
        }
        if (n > symbols) return false;
        unsigned char len[kLengthSymbols + kLh7DictionaryBits] = {};
        int i = 0;
        while (i < n) {
            int c = static_cast<int>(bits_.Get(3));
            if (c == 7) {
                while (bits_.Get(1) == 1) {
                    if (++c > kMaxCodeBits) return false;
                }
            }
            len[i++] = static_cast<unsigned char>(c);
            if (i == special) {
                // The lengths start out zero: skipping over them is enough.
                i += static_cast<int>(bits_.Get(2));
                if (i > symbols) return false;
            }
        }
        return tree.Build(len, symbols);
    }

    bool ReadCodeTree() {
        const int n = static_cast<int>(bits_.Get(kCodeCountBits));
        if (n == 0) {
            const int only = static_cast<int>(bits_.Get(kCodeCountBits));
            if (only >= kCodeSymbols) return false;
            codes_.BuildSingle(only);
            return true;
        }
        if (n > kCodeSymbols) return false;
        unsigned char len[kCodeSymbols] = {};
        int i = 0;
        while (i < n) {
            const int c = lengths_.Decode(bits_);
            if (c < 0) return false;
            if (c > 2) {
                len[i++] = static_cast<unsigned char>(c - 2);
                continue;
            }
            const int zeros = c == 0 ? 1 : c == 1 ? static_cast<int>(bits_.Get(4)) + 3
                                                  : static_cast<int>(bits_.Get(kCodeCountBits)) + 20;
            if (i + zeros > kCodeSymbols) return false;
            i += zeros;
        }
        return codes_.Build(len, kCodeSymbols);
    }

    BitReader bits_;
    ByteSink& out_;
    const int positionSymbols_, positionCountBits_;
    HuffmanDecoder lengths_, codes_, positions_;
    // The dictionary starts as blanks: old encoders may refer to it before the first byte.
    std::vector<unsigned char>& ring_;
    const std::size_t mask_;
    std::size_t at_ = 0, flushed_ = 0;
    std::uint16_t crc_ = 0;
    bool failed_ = false;
};

// ---------------------------------------------------------------- encoding

// Code lengths of at most kMaxCodeBits for the symbols' frequencies. Returns
// how many symbols occur; with fewer than two no lengths are set and `only`
// names the one that occurs (or 0).
int MakeLengths(const std::vector<unsigned>& freq, std::vector<unsigned char>& len, int& only) {
    const int n = static_cast<int>(freq.size());
    len.assign(freq.size(), 0);
    std::vector<unsigned> weight(freq);
    int used = 0;
    only = 0;
    for (int i = 0; i < n; ++i)
        if (freq[i]) {
            ++used;
            only = i;
        }
    if (used < 2) return used;
    for (;;) {
        // Leaves are 0..n-1, inner nodes follow; parent links give the depths.
        std::vector<int> parent(static_cast<std::size_t>(2 * n), -1);
        using Node = std::pair<unsigned long long, int>;
        std::priority_queue<Node, std::vector<Node>, std::greater<Node>> heap;
        for (int i = 0; i < n; ++i)
            if (weight[i]) heap.push({weight[i], i});
        int next = n;
        while (heap.size() > 1) {
            const Node a = heap.top();
            heap.pop();
            const Node b = heap.top();
            heap.pop();
            parent[static_cast<std::size_t>(a.second)] = next;
            parent[static_cast<std::size_t>(b.second)] = next;
            heap.push({a.first + b.first, next++});
        }
        int longest = 0;
        for (int i = 0; i < n; ++i) {
            if (!weight[i]) continue;
            int depth = 0;
            for (int p = parent[static_cast<std::size_t>(i)]; p >= 0; p = parent[static_cast<std::size_t>(p)]) ++depth;
            len[static_cast<std::size_t>(i)] = static_cast<unsigned char>(depth > 255 ? 255 : depth);
            longest = std::max(longest, depth);
        }
        if (longest <= kMaxCodeBits) return used;
        // Too deep: flatten the frequencies and build again.
        for (unsigned& w : weight)
            if (w) w = (w >> 1) | 1;
    }
}

std::vector<std::uint16_t> MakeCodes(const std::vector<unsigned char>& len) {
    int count[kMaxCodeBits + 2] = {};
    for (unsigned char l : len) ++count[l];
    count[0] = 0;
    std::uint16_t next[kMaxCodeBits + 2] = {};
    for (int l = 1; l <= kMaxCodeBits; ++l) next[l + 1] = static_cast<std::uint16_t>((next[l] + count[l]) << 1);
    std::vector<std::uint16_t> code(len.size(), 0);
    for (std::size_t i = 0; i < len.size(); ++i)
        if (len[i]) code[i] = next[len[i]]++;
    return code;
}

class BitWriter {
public:
    BitWriter(ByteSink& out, std::uint64_t limit, std::vector<unsigned char>& buffer)
        : out_(out), limit_(limit), buffer_(buffer) {
        buffer_.clear();
        buffer_.reserve(kIoChunk);
    }
    void Put(int n, unsigned value) {
        if (n == 0) return;
        bits_ |= static_cast<std::uint64_t>(value & ((1u << n) - 1)) << (64 - count_ - n);
        count_ += n;
        while (count_ >= 8) {
            buffer_.push_back(static_cast<unsigned char>(bits_ >> 56));
            bits_ <<= 8;
            count_ -= 8;
        }
        if (buffer_.size() >= kIoChunk) Drain();
    }
    bool Finish() {
        if (count_ > 0) Put(8 - count_, 0);
        Drain();
        return !failed_;
    }
    bool Exceeded() const { return written_ + buffer_.size() > limit_; }
    std::uint64_t Made() const { return written_ + buffer_.size(); }
    bool Failed() const { return failed_; }
    std::uint64_t Written() const { return written_; }

private:
    void Drain() {
        if (buffer_.empty()) return;
        if (!failed_ && !out_.Write(buffer_.data(), buffer_.size())) failed_ = true;
        written_ += buffer_.size();
        buffer_.clear();
    }
    ByteSink& out_;
    std::uint64_t limit_;
    std::vector<unsigned char>& buffer_;
    std::uint64_t bits_ = 0;
    int count_ = 0;
    std::uint64_t written_ = 0;
    bool failed_ = false;
};

struct EncoderBuffers {
    std::vector<unsigned char> window, output;
    std::vector<int> head, prev;
    std::vector<std::uint16_t> codes, distances;
};

class Encoder {
public:
    Encoder(int dictionaryBits, ByteSource& in, ByteSink& out, std::uint64_t limit, EncoderBuffers& b)
        : in_(in),
          bits_(out, limit, b.output),
          dictionary_(std::size_t{1} << dictionaryBits),
          positionSymbols_(PositionSymbols(dictionaryBits)),
          positionCountBits_(PositionCountBits(dictionaryBits)),
          window_(b.window),
          head_(b.head),
          prev_(b.prev),
          codes_(b.codes),
          distances_(b.distances) {
        // Stale bytes in the window are harmless: only positions in the fresh
        // hash chains are ever compared.
        window_.resize(2 * dictionary_ + kMinLookahead + kMaxMatch);
        head_.assign(kHashSize, kNone);
        prev_.assign(dictionary_, kNone);
        codes_.clear();
        distances_.clear();
        codes_.reserve(kBlockCodes);
        distances_.reserve(kBlockCodes);
    }

    bool Run(LzhEncodeResult& result, std::string& error) {
        Compress();
        if (!codes_.empty() && !bits_.Exceeded() && !noise_) SendBlock();
        result.exceeded = bits_.Exceeded() || noise_;
        if (!result.exceeded && !bits_.Finish()) {
            error = "cannot write the packed data";
            return false;
        }
        if (readFailed_) {
            error = "cannot read the data to pack";
            return false;
        }
        result.originalSize = total_;
        result.packedSize = bits_.Written();
        result.crc = crc_;
        return true;
    }

private:
    static constexpr int kNone = -1;
    static constexpr int kHashBits = 15;
    static constexpr std::size_t kHashSize = std::size_t{1} << kHashBits;
    static constexpr std::size_t kBlockCodes = 0x4000;
    static constexpr int kMaxChain = 128;
    static constexpr int kGoodLength = 8;
    static constexpr int kNiceLength = 128;
    static constexpr int kMaxLazy = 16;
    // A three-byte match this far back costs more than three literals.
    static constexpr std::size_t kTooFar = 4096;
    // Data not made smaller by its first this many bytes is taken for already
    // compressed, and the search for matches that are not there given up.
    static constexpr std::uint64_t kNoiseProbe = 256 << 10;
    static constexpr std::size_t kMinLookahead = kMaxMatch + kMinMatch + 1;

    std::size_t Hash(std::size_t at) const {
        return ((window_[at] << 10) ^ (window_[at + 1] << 5) ^ window_[at + 2]) & (kHashSize - 1);
    }

    // Keeps at least kMinLookahead bytes ahead of the current position while
    // input lasts. The window holds two dictionaries and the lookahead; once
    // the position has gone a dictionary's length past the first, everything
    // slides down by one: no match reaches further back than that.
    void Fill() {
        while (lookahead_ < kMinLookahead && !inputDone_) {
            if (start_ >= 2 * dictionary_ - 1) Slide();
            const std::size_t end = start_ + lookahead_;
            const std::size_t room = 2 * dictionary_ + kMinLookahead - end;
            std::size_t got = 0;
            if (!in_.Read(&window_[end], room, got)) {
                readFailed_ = true;
                got = 0;
            }
            if (got == 0) {
                inputDone_ = true;
                break;
            }
            crc_ = Crc16(crc_, &window_[end], got);
            total_ += got;
            lookahead_ += got;
        }
    }

    void Slide() {
        std::memmove(window_.data(), window_.data() + dictionary_, start_ + lookahead_ - dictionary_);
        start_ -= dictionary_;
        matchStart_ = matchStart_ >= dictionary_ ? matchStart_ - dictionary_ : 0;
        for (int& h : head_) h = h >= static_cast<int>(dictionary_) ? h - static_cast<int>(dictionary_) : kNone;
        for (int& p : prev_) p = p >= static_cast<int>(dictionary_) ? p - static_cast<int>(dictionary_) : kNone;
    }

    int Insert(std::size_t at) {
        const std::size_t h = Hash(at);
        const int previous = head_[h];
        prev_[at & (dictionary_ - 1)] = previous;
        head_[h] = static_cast<int>(at);
        return previous;
    }

    std::size_t LongestMatch(int candidate, std::size_t prevLength) {
        int chain = prevLength >= static_cast<std::size_t>(kGoodLength) ? kMaxChain / 4 : kMaxChain;
        const std::size_t limit = start_ > maxDistance() ? start_ - maxDistance() : 0;
        const std::size_t most = std::min<std::size_t>(kMaxMatch, lookahead_);
        std::size_t best = prevLength;
        const unsigned char* here = &window_[start_];
        while (candidate != kNone && static_cast<std::size_t>(candidate) >= limit &&
               static_cast<std::size_t>(candidate) < start_ && chain-- > 0) {
            const unsigned char* there = &window_[static_cast<std::size_t>(candidate)];
            if (there[best] == here[best] && there[0] == here[0] && there[1] == here[1]) {
                std::size_t len = 2;
                while (len < most && there[len] == here[len]) ++len;
                if (len > best) {
                    best = len;
                    matchStart_ = static_cast<std::size_t>(candidate);
                    if (len >= std::min<std::size_t>(kNiceLength, most)) break;
                }
            }
            candidate = prev_[static_cast<std::size_t>(candidate) & (dictionary_ - 1)];
        }
        return best;
    }

    std::size_t maxDistance() const { return dictionary_ - 1; }

    // Lazy matching: a match is taken only when the next position offers no longer one.
    void Compress() {
        std::size_t matchLength = kMinMatch - 1, prevLength = 0, prevMatch = 0;
        bool pendingLiteral = false;
        for (;;) {
            Fill();
            if (lookahead_ == 0 || bits_.Exceeded() || bits_.Failed()) break;
            const std::uint64_t consumed = total_ - lookahead_;
            if (!probed_ && consumed >= kNoiseProbe) {
                probed_ = true;
                if (!codes_.empty()) SendBlock();
                if (bits_.Made() * 200 >= consumed * 199) {
                    noise_ = true;
                    return;
                }
            }
            int candidate = kNone;
            if (lookahead_ >= kMinMatch) candidate = Insert(start_);
            prevLength = matchLength;
            prevMatch = matchStart_;
            matchLength = kMinMatch - 1;
            if (candidate != kNone && prevLength < kMaxLazy && start_ - static_cast<std::size_t>(candidate) <= maxDistance()) {
                matchLength = LongestMatch(candidate, kMinMatch - 1 > prevLength ? kMinMatch - 1 : prevLength);
                if (matchLength <= prevLength) matchLength = kMinMatch - 1;
                if (matchLength == kMinMatch && start_ - matchStart_ > kTooFar) matchLength = kMinMatch - 1;
            }
            if (prevLength >= kMinMatch && matchLength <= prevLength) {
                // The match started one position back; index the rest of it
                // wherever three bytes are there to hash.
                const std::size_t lastInsert = start_ + lookahead_ - kMinMatch;
                Emit(static_cast<unsigned>(256 + prevLength - kMinMatch), static_cast<unsigned>(start_ - 1 - prevMatch - 1));
                lookahead_ -= prevLength - 1;
                for (std::size_t k = prevLength - 2; k > 0; --k)
                    if (++start_ <= lastInsert) Insert(start_);
                ++start_;
                pendingLiteral = false;
                matchLength = kMinMatch - 1;
                continue;
            }
            if (pendingLiteral) Emit(window_[start_ - 1], 0);
            pendingLiteral = true;
            ++start_;
            --lookahead_;
        }
        if (pendingLiteral && !bits_.Exceeded()) Emit(window_[start_ - 1], 0);
    }

    void Emit(unsigned code, unsigned distanceLess1) {
        codes_.push_back(static_cast<std::uint16_t>(code));
        distances_.push_back(static_cast<std::uint16_t>(distanceLess1));
        if (codes_.size() == kBlockCodes) SendBlock();
    }

    static int BitLength(unsigned v) {
        int n = 0;
        for (; v; v >>= 1) ++n;
        return n;
    }

    void WriteLengthTree(const std::vector<unsigned char>& len, int countBits, int special) {
        int n = static_cast<int>(len.size());
        while (n > 0 && len[static_cast<std::size_t>(n - 1)] == 0) --n;
        bits_.Put(countBits, static_cast<unsigned>(n));
        int i = 0;
        while (i < n) {
            const int k = len[static_cast<std::size_t>(i++)];
            if (k <= 6) {
                bits_.Put(3, static_cast<unsigned>(k));
            } else {
                bits_.Put(k - 3, (1u << (k - 3)) - 2);
            }
            if (i == special) {
                while (i < 6 && len[static_cast<std::size_t>(i)] == 0) ++i;
                bits_.Put(2, static_cast<unsigned>(i - 3));
            }
        }
    }

    // Runs of zero lengths in the code tree become symbols 0-2 of the length tree.
    template <class Visit>
    static void WalkCodeLengths(const std::vector<unsigned char>& len, Visit visit) {
        int n = kCodeSymbols;
        while (n > 0 && len[static_cast<std::size_t>(n - 1)] == 0) --n;
        int i = 0;
        while (i < n) {
            const int k = len[static_cast<std::size_t>(i++)];
            if (k != 0) {
                visit(k + 2, 0, 0);
                continue;
            }
            int run = 1;
            while (i < n && len[static_cast<std::size_t>(i)] == 0) {
                ++i;
                ++run;
            }
            if (run <= 2) {
                for (int r = 0; r < run; ++r) visit(0, 0, 0);
            } else if (run <= 18) {
                visit(1, 4, run - 3);
            } else if (run == 19) {
                visit(0, 0, 0);
                visit(1, 4, 15);
            } else {
                visit(2, kCodeCountBits, run - 20);
            }
        }
    }

    void SendBlock() {
        std::vector<unsigned> codeFreq(kCodeSymbols, 0), positionFreq(static_cast<std::size_t>(positionSymbols_), 0);
        for (std::size_t i = 0; i < codes_.size(); ++i) {
            ++codeFreq[codes_[i]];
            if (codes_[i] >= 256) ++positionFreq[static_cast<std::size_t>(BitLength(distances_[i]))];
        }
        std::vector<unsigned char> codeLen, lengthLen, positionLen;
        int onlyCode = 0, onlyLength = 0, onlyPosition = 0;
        const int codesUsed = MakeLengths(codeFreq, codeLen, onlyCode);
        bits_.Put(16, static_cast<unsigned>(codes_.size()));
        if (codesUsed >= 2) {
            std::vector<unsigned> lengthFreq(kLengthSymbols, 0);
            WalkCodeLengths(codeLen, [&](int symbol, int, int) { ++lengthFreq[static_cast<std::size_t>(symbol)]; });
            if (MakeLengths(lengthFreq, lengthLen, onlyLength) >= 2) {
                WriteLengthTree(lengthLen, kLengthCountBits, 3);
            } else {
                bits_.Put(kLengthCountBits, 0);
                bits_.Put(kLengthCountBits, static_cast<unsigned>(onlyLength));
            }
            const std::vector<std::uint16_t> lengthCode = MakeCodes(lengthLen);
            int n = kCodeSymbols;
            while (n > 0 && codeLen[static_cast<std::size_t>(n - 1)] == 0) --n;
            bits_.Put(kCodeCountBits, static_cast<unsigned>(n));
            WalkCodeLengths(codeLen, [&](int symbol, int extraBits, int extra) {
                bits_.Put(lengthLen[static_cast<std::size_t>(symbol)], lengthCode[static_cast<std::size_t>(symbol)]);
                bits_.Put(extraBits, static_cast<unsigned>(extra));
            });
        } else {
            bits_.Put(kLengthCountBits, 0);
            bits_.Put(kLengthCountBits, 0);
            bits_.Put(kCodeCountBits, 0);
            bits_.Put(kCodeCountBits, static_cast<unsigned>(onlyCode));
        }
        if (MakeLengths(positionFreq, positionLen, onlyPosition) >= 2) {
            WriteLengthTree(positionLen, positionCountBits_, -1);
        } else {
            bits_.Put(positionCountBits_, 0);
            bits_.Put(positionCountBits_, static_cast<unsigned>(onlyPosition));
        }
        const std::vector<std::uint16_t> code = MakeCodes(codeLen), positionCode = MakeCodes(positionLen);
        for (std::size_t i = 0; i < codes_.size(); ++i) {
            const unsigned c = codes_[i];
            bits_.Put(codeLen[c], code[c]);
            if (c < 256) continue;
            const unsigned p = distances_[i];
            const int k = BitLength(p);
            bits_.Put(positionLen[static_cast<std::size_t>(k)], positionCode[static_cast<std::size_t>(k)]);
            if (k > 1) bits_.Put(k - 1, p);
        }
        codes_.clear();
        distances_.clear();
    }

    ByteSource& in_;
    BitWriter bits_;
    const std::size_t dictionary_;
    const int positionSymbols_, positionCountBits_;
    std::vector<unsigned char>& window_;
    std::vector<int>& head_;
    std::vector<int>& prev_;
    std::size_t start_ = 0, lookahead_ = 0, matchStart_ = 0;
    bool inputDone_ = false, readFailed_ = false;
    bool probed_ = false, noise_ = false;
    std::uint64_t total_ = 0;
    std::uint16_t crc_ = 0;
    std::vector<std::uint16_t>& codes_;
    std::vector<std::uint16_t>& distances_;
};

}  // namespace

struct LzhDecoder::Buffers {
    std::vector<unsigned char> chunk, ring;
};

LzhDecoder::LzhDecoder() : buffers_(new Buffers) {}
LzhDecoder::~LzhDecoder() = default;

bool LzhDecoder::Decode(int dictionaryBits, ByteSource& in, std::uint64_t packedSize, std::uint64_t originalSize,
                        ByteSink& out, std::uint16_t& crc, std::string& error) {
    Decoder decoder(dictionaryBits, in, packedSize, out, buffers_->chunk, buffers_->ring);
    return decoder.Run(originalSize, crc, error);
}

struct LzhEncoder::Buffers : EncoderBuffers {};

LzhEncoder::LzhEncoder() : buffers_(new Buffers) {}
LzhEncoder::~LzhEncoder() = default;

bool LzhEncoder::Encode(int dictionaryBits, ByteSource& in, ByteSink& out, std::uint64_t packedLimit,
                        LzhEncodeResult& result, std::string& error) {
    Encoder encoder(dictionaryBits, in, out, packedLimit, *buffers_);
    return encoder.Run(result, error);
}

bool LzhDecode(int dictionaryBits, ByteSource& in, std::uint64_t packedSize, std::uint64_t originalSize, ByteSink& out,
               std::uint16_t& crc, std::string& error) {
    return LzhDecoder().Decode(dictionaryBits, in, packedSize, originalSize, out, crc, error);
}

bool LzhEncode(int dictionaryBits, ByteSource& in, ByteSink& out, std::uint64_t packedLimit, LzhEncodeResult& result,
               std::string& error) {
    return LzhEncoder().Encode(dictionaryBits, in, out, packedLimit, result, error);
}

}  // namespace archivers
