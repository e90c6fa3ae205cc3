#include "Platform/UrlOpener.h"

#include <gtest/gtest.h>

#include <QList>

namespace {

class UrlOpenerTest : public testing::Test {
protected:
    void SetUp() override {
        UrlOpener::setHandler([this](const QUrl& url) { opened << url; });
    }
    void TearDown() override { UrlOpener::setHandler({}); }
    QList<QUrl> opened;
};

} // namespace

TEST_F(UrlOpenerTest, HandsOnlyWebAddressesWithAHostToTheDesktop) {
    EXPECT_TRUE(UrlOpener::open("https://example.org"));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.front(), QUrl("https://example.org"));
    EXPECT_TRUE(UrlOpener::open("HTTP://Example.org/path?q=1#top"));
    EXPECT_EQ(opened.size(), 2);

    const char* refused[] = {"file:///etc/passwd",
                             "javascript:alert(1)",
                             "smb://server/share",
                             "mailto:someone@example.org",
                             "example.org",
                             "www.example.org/page",
                             "",
                             "https://",
                             "http:///path-only",
                             "https://exa mple.org",
                             "ftp://example.org/file",
                             "/usr/bin/xterm",
                             "data:text/html,<script>alert(1)</script>"};
    for (const char* text : refused) {
        EXPECT_FALSE(UrlOpener::open(QString::fromUtf8(text))) << text;
        EXPECT_TRUE(UrlOpener::safeUrl(QString::fromUtf8(text)).isEmpty()) << text;
    }
    EXPECT_EQ(opened.size(), 2) << "nothing unsafe was handed over";
}
