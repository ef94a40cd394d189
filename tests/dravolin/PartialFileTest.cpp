#include "dravolin/PartialFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "tests/support/TempFolder.h"

namespace fs = std::filesystem;
using dravolin::PartialFile;

namespace {

class PartialFileTest : public ::testing::Test {
protected:
    void SetUp() override { target = (dir / "driver.exe").string(); }

    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    pelltest::TempFolder folder{"partial_"};
    const fs::path& dir = folder.Path();
    std::string target;
};

}  // namespace

TEST_F(PartialFileTest, WritesBesideTargetAndRenamesOnlyOnCommit) {
    PartialFile f(target);
    ASSERT_EQ(f.TakeClaim(), PartialFile::Claim::kHeld);
    ASSERT_TRUE(f.StartFresh("https://h/a", "\"v1\""));
    ASSERT_TRUE(f.Write("hello ", 6));
    ASSERT_TRUE(f.Flush());
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(Read(target + ".part"), "hello ");

    auto resume = f.ResumeFor("https://h/a");
    ASSERT_TRUE(resume.has_value());
    EXPECT_EQ(resume->offset, 6);
    EXPECT_EQ(resume->validator, "\"v1\"");

    ASSERT_TRUE(f.ContinueAt(6));
    ASSERT_TRUE(f.Write("world", 5));
    ASSERT_TRUE(f.CommitToTarget());
    EXPECT_EQ(Read(target), "hello world");
    EXPECT_FALSE(fs::exists(target + ".part"));
    EXPECT_FALSE(fs::exists(target + ".part.meta"));
}

TEST_F(PartialFileTest, NoResumeWithoutValidatorOrForAnotherAddress) {
    PartialFile f(target);
    ASSERT_EQ(f.TakeClaim(), PartialFile::Claim::kHeld);
    ASSERT_TRUE(f.StartFresh("https://h/a", "\"v1\""));
    ASSERT_TRUE(f.Write("abc", 3));
    ASSERT_TRUE(f.Flush());
    EXPECT_FALSE(f.ResumeFor("https://h/b").has_value());

    ASSERT_TRUE(f.StartFresh("https://h/a", ""));
    ASSERT_TRUE(f.Write("abc", 3));
    ASSERT_TRUE(f.Flush());
    EXPECT_FALSE(f.ResumeFor("https://h/a").has_value());
}

TEST_F(PartialFileTest, ContinueDropsBytesPastTheOffset) {
    PartialFile f(target);
    ASSERT_EQ(f.TakeClaim(), PartialFile::Claim::kHeld);
    ASSERT_TRUE(f.StartFresh("u", "\"v\""));
    ASSERT_TRUE(f.Write("0123456789", 10));
    ASSERT_TRUE(f.ContinueAt(4));
    ASSERT_TRUE(f.Write("xy", 2));
    ASSERT_TRUE(f.Flush());
    EXPECT_EQ(Read(target + ".part"), "0123xy");
}

TEST_F(PartialFileTest, LargeWritesKeepTheirOrder) {
    std::string a(3 << 20, 'a'), b(700 << 10, 'b'), c(5, 'c');
    PartialFile f(target);
    ASSERT_EQ(f.TakeClaim(), PartialFile::Claim::kHeld);
    ASSERT_TRUE(f.StartFresh("u", "\"v\""));
    ASSERT_TRUE(f.Write(c.data(), c.size()));
    ASSERT_TRUE(f.Write(a.data(), a.size()));
    ASSERT_TRUE(f.Write(b.data(), b.size()));
    ASSERT_TRUE(f.Write(c.data(), c.size()));
    ASSERT_TRUE(f.CommitToTarget());
    EXPECT_EQ(Read(target), c + a + b + c);
}

TEST_F(PartialFileTest, MissingFolderFailsCleanly) {
    PartialFile f((dir / "no-such-folder" / "x.bin").string());
    EXPECT_EQ(f.TakeClaim(), PartialFile::Claim::kFailed);
    EXPECT_FALSE(f.StartFresh("u", "\"v\""));
    EXPECT_FALSE(f.Write("x", 1));
    EXPECT_TRUE(f.Flush());
    EXPECT_FALSE(f.CommitToTarget());
}

TEST_F(PartialFileTest, OneClaimAtATimeAndAnEmptyPartialGoesWithIt) {
    auto first = std::make_unique<PartialFile>(target);
    PartialFile second(target);
    ASSERT_EQ(first->TakeClaim(), PartialFile::Claim::kHeld);
    EXPECT_EQ(second.TakeClaim(), PartialFile::Claim::kBusy);
    ASSERT_TRUE(first->StartFresh("u", "\"v\""));
    first.reset();
    EXPECT_FALSE(fs::exists(target + ".part"));
    EXPECT_FALSE(fs::exists(target + ".part.meta"));

    ASSERT_EQ(second.TakeClaim(), PartialFile::Claim::kHeld);
    ASSERT_TRUE(second.StartFresh("u", "\"v\""));
    ASSERT_TRUE(second.Write("abc", 3));
    second.Release();
    EXPECT_EQ(Read(target + ".part"), "abc");
    EXPECT_TRUE(PartialFile(target).ResumeFor("u").has_value());
}
