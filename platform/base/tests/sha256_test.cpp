#include "platform/base/sha256.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/hex.hpp"

namespace {

struct DigestCase {
    std::string input;
    std::string digest;
};

// FIPS 180-2 examples plus a long single-character run.
const DigestCase kDigestCases[] = {
    {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
    {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
    {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
     "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
    {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
};

TEST(Sha256, OneShotMatchesKnownDigests)
{
    for (const auto& c : kDigestCases)
        EXPECT_EQ(vask_base::to_hex(vask_base::sha256(c.input)), c.digest) << c.input.substr(0, 20);
}

TEST(Sha256, IncrementalInAnyChunkingMatchesOneShot)
{
    for (const auto& c : kDigestCases) {
        for (std::size_t chunk : {1u, 3u, 64u, 1000u}) {
            vask_base::Sha256 hasher;
            for (std::size_t at = 0; at < c.input.size(); at += chunk)
                hasher.update(std::string_view(c.input).substr(at, chunk));
            EXPECT_EQ(vask_base::to_hex(hasher.finish()), c.digest) << "chunk " << chunk;
        }
    }
}

TEST(Sha256, BinaryBytesAndRestartAfterFinish)
{
    std::vector<std::uint8_t> bytes;
    for (int round = 0; round < 3; ++round)
        for (int b = 0; b < 256; ++b)
            bytes.push_back(std::uint8_t(b));
    const char* expected = "f3a25aa93aa2fbba28d79260535bbd6a5eb0fc1c24a8b0f04e12b484c1dfe363";
    EXPECT_EQ(vask_base::to_hex(vask_base::sha256(bytes)), expected);

    vask_base::Sha256 hasher;
    hasher.update("discarded");
    hasher.finish();
    hasher.update(bytes);
    EXPECT_EQ(vask_base::to_hex(hasher.finish()), expected);
}

TEST(Sha256, MovedHasherKeepsItsState)
{
    vask_base::Sha256 first;
    first.update("ab");
    vask_base::Sha256 second = std::move(first);
    second.update("c");
    EXPECT_EQ(vask_base::to_hex(second.finish()), kDigestCases[1].digest);
}

TEST(Hex, EncodesLowerCase)
{
    const std::vector<std::uint8_t> bytes{0x00, 0x0f, 0xa5, 0xff};
    EXPECT_EQ(vask_base::to_hex(bytes), "000fa5ff");
    EXPECT_EQ(vask_base::to_hex(std::span<const std::uint8_t>{}), "");
}

TEST(Hex, DecodesValidTextAndRefusesTheRest)
{
    struct Case {
        const char* text;
        std::optional<std::vector<std::uint8_t>> bytes;
    };
    const Case cases[] = {
        {"", std::vector<std::uint8_t>{}},
        {"000fa5ff", std::vector<std::uint8_t>{0x00, 0x0f, 0xa5, 0xff}},
        {"A5Ff", std::vector<std::uint8_t>{0xa5, 0xff}},
        {"abc", std::nullopt},
        {"0g", std::nullopt},
        {"-1", std::nullopt},
        {" 01", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vask_base::from_hex(c.text), c.bytes) << c.text;
}

} // namespace
