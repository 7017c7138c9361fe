#include "platform/actions/resource_id.hpp"

#include <gtest/gtest.h>

namespace {

using vask_actions::local_resource_key;

struct KeyCase {
    std::string path_bytes;
    const char* key;
};

// Expected keys computed independently with Python's hashlib over the same label, length
// prefix and path bytes.
const KeyCase kKeyCases[] = {
    {"", "a8193ec6f7c146c84e63e93a259a2be2"},
    {"/", "14e2c71d9c9db49a0594404217e0a7eb"},
    {"/home/user", "2f98148d263a4761700cc5f6b97f6baa"},
    {"/home/user/Documents/report.pdf", "9bcb626915a5f49d6c890a1624497acc"},
    {"/tmp/caf\xe9\xff", "b4e6127a0d13bb6c9e640fe87305e3cb"}, // not UTF-8
    {"/home/\xc3\xbc/Bilder", "8c95d0c64fd4824b513a1dbe8154a3b4"},
};

TEST(LocalResourceKey, MatchesIndependentlyComputedVectors)
{
    for (const auto& c : kKeyCases)
        EXPECT_EQ(local_resource_key(std::filesystem::path(c.path_bytes)), c.key) << c.path_bytes;
}

TEST(LocalResourceKey, IsThirtyTwoLowerCaseHexDigitsAndDistinguishesTrailingSlash)
{
    auto key = local_resource_key("/home/user/");
    EXPECT_EQ(key.size(), 32u);
    EXPECT_EQ(key.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_NE(key, local_resource_key("/home/user"));
}

TEST(PathDigestKey, IsTheFirstHalfOfThePlainPathDigest)
{
    EXPECT_EQ(vask_actions::path_digest_key("/home/user/Templates/Letter.odt"),
              "548d6068721b57df31b7da98886bcab3");
}

TEST(ResourceId, JoinsAndSplitsAtTheFirstColon)
{
    EXPECT_EQ(vask_actions::resource_id("files.folder", "abc"), "files.folder:abc");

    struct Case {
        const char* id;
        std::optional<std::pair<std::string, std::string>> parts;
    };
    const Case cases[] = {
        {"files.folder:abc", std::pair{"files.folder", "abc"}},
        {"vask.control:files.retry", std::pair{"vask.control", "files.retry"}},
        {"a:b:c", std::pair{"a", "b:c"}},
        {"nocolon", std::nullopt},
        {":key", std::nullopt},
        {"kind:", std::nullopt},
    };
    for (const auto& c : cases) {
        auto parts = vask_actions::split_resource_id(c.id);
        ASSERT_EQ(parts.has_value(), c.parts.has_value()) << c.id;
        if (parts) {
            EXPECT_EQ(parts->kind, c.parts->first) << c.id;
            EXPECT_EQ(parts->key, c.parts->second) << c.id;
        }
    }
}

} // namespace
