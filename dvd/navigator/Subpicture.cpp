#include "Subpicture.h"

namespace navigator {

namespace {

// A unit's control sequences count their delays in steps of 1024 ticks of 90 kHz.
constexpr int64_t kDelayStep = 1024;
constexpr size_t kMaxUnit = 65535;

unsigned Read16(const uint8_t* p) {
    return static_cast<unsigned>(p[0]) << 8 | p[1];
}

// Reads the pixel data of one field nibble by nibble, never past `end`.
class NibbleReader {
public:
    NibbleReader(const uint8_t* data, size_t start, size_t end)
        : mData(data), mAt(start * 2), mEnd(end * 2) {}
    bool Next(unsigned& nibble) {
        if (mAt >= mEnd) return false;
        uint8_t byte = mData[mAt / 2];
        nibble = (mAt & 1) ? (byte & 0x0f) : (byte >> 4);
        ++mAt;
        return true;
    }
    // Each line starts on a whole byte.
    void AlignToByte() { mAt = (mAt + 1) & ~static_cast<size_t>(1); }

private:
    const uint8_t* mData;
    size_t mAt, mEnd;
};

// One run: `count` pixels of `type`; count 0 fills the rest of the line.
bool ReadRun(NibbleReader& r, unsigned& count, unsigned& type) {
    unsigned code = 0, n = 0;
    // 1, 2, 3 or 4 nibbles, told apart by their leading zero bits: a code of n nibbles is at
    // least 4^n, except the longest.
    for (int nibbles = 1; nibbles <= 4; ++nibbles) {
        if (!r.Next(n)) return false;
        code = code << 4 | n;
        if (code >= 1u << (2 * nibbles)) break;
    }
    count = code >> 2;
    type = code & 3;
    return true;
}

bool DecodeField(const uint8_t* unit, size_t start, size_t end, int firstLine, SpuPicture& p) {
    if (start >= end) return false;
    NibbleReader r(unit, start, end);
    for (int y = firstLine; y < p.height; y += 2) {
        int x = 0;
        uint8_t* row = p.pixels.data() + static_cast<size_t>(y) * p.width;
        while (x < p.width) {
            unsigned count, type;
            if (!ReadRun(r, count, type)) return y > firstLine;  // a short field keeps its lines
            int run = count == 0 ? p.width - x : static_cast<int>(count);
            if (run > p.width - x) run = p.width - x;
            for (int i = 0; i < run; ++i)
                row[x + i] = static_cast<uint8_t>(type);
            x += run;
        }
        r.AlignToByte();
    }
    return true;
}

// The commands of one control sequence, from `at` to the sequence's end. False when damaged.
bool ReadCommands(const uint8_t* u, size_t size, size_t at, int64_t delay, SpuPicture& p, size_t& top,
                  size_t& bottom, bool& haveArea, bool& haveFields) {
    while (at < size) {
        uint8_t command = u[at++];
        switch (command) {
            case 0x00:  // forced start
            case 0x01:  // start
                if (!p.hasStart) {
                    p.hasStart = true;
                    p.startDelay = delay;
                    p.forced = command == 0x00;
                }
                break;
            case 0x02:  // stop
                if (p.hasStart && p.stopDelay < 0 && delay >= p.startDelay) p.stopDelay = delay;
                break;
            case 0x03:  // colours: pixel types 3, 2, 1, 0 as nibbles
                if (at + 2 > size) return false;
                p.colour[3] = u[at] >> 4;
                p.colour[2] = u[at] & 0x0f;
                p.colour[1] = u[at + 1] >> 4;
                p.colour[0] = u[at + 1] & 0x0f;
                at += 2;
                break;
            case 0x04:  // contrasts, the same way
                if (at + 2 > size) return false;
                p.contrast[3] = u[at] >> 4;
                p.contrast[2] = u[at] & 0x0f;
                p.contrast[1] = u[at + 1] >> 4;
                p.contrast[0] = u[at + 1] & 0x0f;
                at += 2;
                break;
            case 0x05: {  // area: x1, x2, y1, y2 as 12-bit values, ends inclusive
                if (at + 6 > size) return false;
                int x1 = static_cast<int>(u[at] << 4 | u[at + 1] >> 4);
                int x2 = static_cast<int>((u[at + 1] & 0x0f) << 8 | u[at + 2]);
                int y1 = static_cast<int>(u[at + 3] << 4 | u[at + 4] >> 4);
                int y2 = static_cast<int>((u[at + 4] & 0x0f) << 8 | u[at + 5]);
                at += 6;
                if (x2 < x1 || y2 < y1) return false;
                p.left = x1;
                p.top = y1;
                p.width = x2 - x1 + 1;
                p.height = y2 - y1 + 1;
                haveArea = true;
                break;
            }
            case 0x06:  // where the two fields' pixel data start
                if (at + 4 > size) return false;
                top = Read16(u + at);
                bottom = Read16(u + at + 2);
                at += 4;
                haveFields = true;
                break;
            case 0x07: {  // colour and contrast changes within the area: not drawn, skipped
                if (at + 2 > size) return false;
                size_t length = Read16(u + at);
                if (length < 2 || at + length > size) return false;
                at += length;
                break;
            }
            case 0xff:
                return true;
            default:
                return false;
        }
    }
    return false;  // no end command before the unit's end
}

}  // namespace

bool DecodeSpu(const uint8_t* u, size_t size, SpuPicture& p) {
    p = SpuPicture{};
    if (!u || size < 4 || size > kMaxUnit) return false;
    size_t unitSize = Read16(u);
    if (unitSize > size || unitSize < 4) return false;
    size = unitSize;
    size_t table = Read16(u + 2);
    if (table < 4 || table + 4 > size) return false;

    size_t top = 0, bottom = 0;
    bool haveArea = false, haveFields = false;
    size_t at = table;
    // Sequences link to the next; the last links to itself. At most one per four bytes.
    for (size_t guard = 0; guard < size / 4; ++guard) {
        int64_t delay = static_cast<int64_t>(Read16(u + at)) * kDelayStep;
        size_t next = Read16(u + at + 2);
        if (!ReadCommands(u, size, at + 4, delay, p, top, bottom, haveArea, haveFields)) return false;
        if (next == at) break;
        if (next < table || next + 4 > size) return false;
        at = next;
    }
    if (!haveArea || !haveFields) return false;
    if (p.width > 4096 || p.height > 4096) return false;
    p.pixels.assign(static_cast<size_t>(p.width) * p.height, 0);
    // The pixel data lie before the control table; each field runs at most to it.
    size_t end = table;
    size_t topEnd = bottom > top && bottom <= end ? bottom : end;
    if (!DecodeField(u, top, topEnd, 0, p)) return false;
    if (p.height > 1 && !DecodeField(u, bottom, end, 1, p)) return false;
    return true;
}

bool SpuAssembler::Add(const uint8_t* data, size_t size, bool hasPts, int64_t pts) {
    if (!data || size == 0) return false;
    // A packet with a time stamp starts a unit; one without continues the unit under way, and
    // is dropped when none is (the stream was joined in the middle of a unit).
    if (!hasPts && mBuffer.empty()) return false;
    if (hasPts) {
        mBuffer.clear();
        mExpected = 0;
        mPts = pts;
    }
    mBuffer.insert(mBuffer.end(), data, data + size);
    if (mExpected == 0 && mBuffer.size() >= 2) {
        mExpected = Read16(mBuffer.data());
        if (mExpected < 4) {
            Reset();
            return false;
        }
    }
    if (mExpected == 0 || mBuffer.size() < mExpected) return false;
    mUnit.assign(mBuffer.begin(), mBuffer.begin() + static_cast<std::ptrdiff_t>(mExpected));
    mUnitPts = mPts;
    mBuffer.clear();
    mExpected = 0;
    return true;
}

void SpuAssembler::Reset() {
    mBuffer.clear();
    mExpected = 0;
}

}  // namespace navigator
