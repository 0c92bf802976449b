#include "voxreel/model/mfi_file.hpp"

#include "tests/voxreel/ringtone_builder.hpp"

#include "shared/byte_order.hpp"

#include <gtest/gtest.h>

using namespace vx_test;
using voxreel::MfiEvent;
using voxreel::MfiFile;

namespace {

MfiFile parse(const Bytes& image) { return MfiFile::parse(image); }

std::string infoText(const MfiFile& file, int index) {
    const auto data = file.info[static_cast<std::size_t>(index)].data();
    return std::string(data.begin(), data.end());
}

// One track holding the given event bytes.
MfiFile withTrack(const Bytes& events) {
    return parse(mfiFile(mfiInfo("0300"), {chunk("trac", events)}));
}

} // namespace

TEST(MfiParse, HeaderInformationAndChunks) {
    const Bytes image =
        mfiFile(mfiInfo("0500", "Bell", "Studio") + infoChunk("zzzz", bytes({1, 2, 3})),
                {chunk("adat", adatBody(0x81, 8, 4, 1, repeated(0x11, 40))),
                 chunk("junk", bytes({9, 9})), chunk("trac", bytes({0, 0xFF, 0xDF, 0})),
                 chunk("trac", bytes({0, 0xFF, 0xDE, 0, 0, 0xFF, 0xDF, 0}))});
    const MfiFile file = parse(image);
    EXPECT_EQ(file.fileSize, static_cast<std::int64_t>(image.size()));
    EXPECT_EQ(file.majorType, 1);
    EXPECT_EQ(file.tracCount, 2);
    EXPECT_EQ(infoText(file, voxreel::infoTitl), "Bell");
    EXPECT_EQ(infoText(file, voxreel::infoCopy), "Studio");
    EXPECT_EQ(file.info[voxreel::infoTitl].length, 4);
    EXPECT_EQ(file.version(), 500);
    EXPECT_TRUE(file.info[voxreel::infoDate].chunk.empty());

    ASSERT_EQ(file.audioData.size(), 1u);
    const auto& adat = file.audioData[0];
    EXPECT_EQ(adat.formatCode, 0x81);
    EXPECT_EQ(adat.rateKHz, 8);
    EXPECT_EQ(adat.bitsPerCode, 4);
    EXPECT_EQ(adat.channels, 1);
    EXPECT_EQ(adat.audioLength, 40);
    EXPECT_EQ(adat.audio()[0], 0x11);

    ASSERT_EQ(file.tracks.size(), 2u);
    EXPECT_EQ(file.tracks[1].number, 1);
    EXPECT_EQ(file.tracks[1].events.size(), 2u);
}

TEST(MfiParse, RepeatedInformationReplacesAndEmptyLeavesNothing) {
    const Bytes info = infoChunk("titl", text("First")) + infoChunk("titl", text("Second")) +
                       infoChunk("copy", text("x")) + infoChunk("copy", {}) +
                       infoChunk("vers", text("0301"));
    const MfiFile file = parse(mfiFile(info, {}));
    EXPECT_EQ(infoText(file, voxreel::infoTitl), "Second");
    EXPECT_TRUE(file.info[voxreel::infoCopy].chunk.empty());
    EXPECT_EQ(file.version(), 301);
}

TEST(MfiParse, FilesOverOneMebibyteStayEmpty) {
    Bytes image = mfiFile(mfiInfo("0300", "T"), {chunk("trac", bytes({0, 0xFF, 0xDF, 0}))});
    suite::writeBe32(&image[4], 1048576 - 8 + 1);
    const MfiFile big = parse(image);
    EXPECT_TRUE(big.tracks.empty());
    EXPECT_TRUE(big.info[voxreel::infoTitl].chunk.empty());

    suite::writeBe32(&image[4], 1048576 - 8);
    EXPECT_EQ(parse(image).tracks.size(), 1u);
}

TEST(MfiParse, ChunkWalkStopsAtAChunkThatDoesNotFit) {
    Bytes image = mfiFile(mfiInfo("0300"), {chunk("trac", bytes({0, 0xFF, 0xDF, 0})),
                                            chunk("trac", bytes({0, 0xFF, 0xDF, 0}))});
    // The second chunk claims one byte more than the file holds.
    suite::writeBe32(&image[image.size() - 8], 5);
    EXPECT_EQ(parse(image).tracks.size(), 1u);

    // A length field larger than the bytes loaded: only what was loaded is read.
    Bytes shortImage = mfiFile(mfiInfo("0300"), {chunk("trac", bytes({0, 0xFF, 0xDF, 0}))});
    suite::writeBe32(&shortImage[4], 100000);
    EXPECT_EQ(parse(shortImage).tracks.size(), 1u);
    shortImage.resize(shortImage.size() - 1);
    EXPECT_TRUE(parse(shortImage).tracks.empty());
}

TEST(MfiParse, InformationRunningPastTheBufferEndsTheWalk) {
    Bytes image = mfiFile(infoChunk("titl", text("Name")), {});
    suite::writeBe16(&image[17], 200); // the title's length now runs past the image
    const MfiFile file = parse(image);
    EXPECT_TRUE(file.info[voxreel::infoTitl].chunk.empty());
}

TEST(MfiParse, EventFraming) {
    struct Case {
        const char* name;
        Bytes events;
        std::vector<int> lengths;
    };
    const Case cases[] = {
        {"control events are four bytes", bytes({0, 0xFF, 0xC3, 0x7D, 0, 0xFF, 0xB0, 100}), {4, 4}},
        {"exclusive carries its length", exclusive(0, bytes({0x21, 0x81, 0x3F})) + bytes({0, 0xFF, 0xDF, 0}), {8, 4}},
        {"adat play is five bytes", bytes({0, 0x7F, 0x00, 0x00, 0x3F, 0, 0x7F, 0x01, 0}), {5, 4}},
        {"extended below 0x80 has a length", bytes({0, 0xEF, 0x10, 0, 2, 7, 7, 0, 0xFF, 0xDF, 0}), {7, 4}},
        {"extended 0x80-0xEF is four bytes", bytes({0, 0x3F, 0x90, 1, 0, 0x7F, 0x80, 0x3F}), {4, 4}},
        {"extended from 0xF0 has a length", bytes({0, 0x3F, 0xF0, 0, 1, 9}), {6}},
        {"0xBF is a note", bytes({0, 0xBF, 0x10, 0x20}), {4}},
    };
    for (const Case& c : cases) {
        const MfiFile file = withTrack(c.events);
        ASSERT_EQ(file.tracks.size(), 1u) << c.name;
        const auto& events = file.tracks[0].events;
        ASSERT_EQ(events.size(), c.lengths.size()) << c.name;
        for (std::size_t i = 0; i < events.size(); ++i)
            EXPECT_EQ(events[i].length, c.lengths[i]) << c.name << " event " << i;
        EXPECT_FALSE(file.tracks[0].truncated) << c.name;
    }
}

TEST(MfiParse, VariableEventPastTheTrackEndsItsEventList) {
    // The exclusive record says 10 bytes but only 3 follow in the chunk; the next chunk's
    // bytes must not be taken for it.
    const Bytes events = bytes({0, 0xFF, 0xDE, 0, 0, 0xFF, 0xFF, 0, 10, 0x21, 0x81, 0x3F});
    const MfiFile file = parse(mfiFile(mfiInfo("0300"), {chunk("trac", events),
                                                         chunk("trac", repeated(0, 32))}));
    ASSERT_EQ(file.tracks.size(), 2u);
    EXPECT_EQ(file.tracks[0].events.size(), 1u);
    EXPECT_TRUE(file.tracks[0].truncated);

    // A five-byte event whose length bytes lie past the chunk's end.
    const MfiFile cut = withTrack(bytes({0, 0xFF, 0xDE, 0, 0, 0x7F, 0x00, 0x00}));
    EXPECT_EQ(cut.tracks[0].events.size(), 1u);
}

TEST(MfiEventDecode, NotesAndControls) {
    const MfiEvent note = voxreel::decodeMfiEvent(bytes({3, 0xBF, 0x10, 0x23}));
    EXPECT_EQ(note.code, 0);
    EXPECT_EQ(note.channel, 2);
    EXPECT_EQ(note.key, 63);
    EXPECT_EQ(note.gate, 0x10);
    EXPECT_EQ(note.velocity, 8);
    EXPECT_EQ(note.delta, 3);

    const MfiEvent wait = voxreel::decodeMfiEvent(bytes({0x34, 0xFF, 0xDC, 0x12}));
    EXPECT_EQ(wait.delta, 0x1234);

    const MfiEvent master = voxreel::decodeMfiEvent(bytes({0, 0xFF, 0xB0, 0x64}));
    EXPECT_TRUE(master.hasMasterVolume);
    EXPECT_EQ(master.masterVolume, 100);

    const MfiEvent play = voxreel::decodeMfiEvent(bytes({0, 0x7F, 0x00, 0x42, 0x7F}));
    EXPECT_TRUE(play.isPlay);
    EXPECT_EQ(play.targetChannel, 1);
    EXPECT_EQ(play.dataNumber, 2);
    EXPECT_EQ(play.packetMode, 1);
    EXPECT_TRUE(play.hasVolume);
    EXPECT_EQ(play.volume, 63);

    const MfiEvent volume = voxreel::decodeMfiEvent(bytes({0, 0x7F, 0x80, 0x5F}));
    EXPECT_TRUE(volume.hasVolume);
    EXPECT_EQ(volume.volume, 0x1F);
    EXPECT_EQ(volume.targetChannel, 1);
    const MfiEvent pan = voxreel::decodeMfiEvent(bytes({0, 0x7F, 0x81, 0x20}));
    EXPECT_TRUE(pan.hasPan);
    EXPECT_EQ(pan.pan, 32);
    EXPECT_EQ(pan.targetChannel, 0);
}

TEST(MfiEventDecode, TempoByTimeBase) {
    struct Case {
        int code, tempo;
        double msPerTick; // 0: no tempo
    };
    const Case cases[] = {
        {0xC3, 0x7D, 10.0},        {0xC2, 0x32, 50.0},   {0xCB, 0x64, 5.0},
        {0xC3, 0x96, 1250.0 / 150}, {0xC0, 0, 10000.0 / 20}, {0xC4, 19, 625.0 / 20},
        {0xC5, 20, 312.5 / 20},    {0xCE, 200, 62.5 / 200}, {0xC7, 100, 0}, {0xCF, 100, 0},
    };
    for (const Case& c : cases) {
        const MfiEvent event = voxreel::decodeMfiEvent(bytes({0, 0xFF, c.code, c.tempo}));
        EXPECT_EQ(event.hasTempo, c.msPerTick > 0) << std::hex << c.code;
        if (c.msPerTick > 0) {
            EXPECT_DOUBLE_EQ(event.msPerTick, c.msPerTick) << std::hex << c.code;
        }
    }
}
