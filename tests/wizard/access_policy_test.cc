// access_policy_test.cc: which requests the local server admits.
#include "access_policy.h"

#include <gtest/gtest.h>

namespace torvel {
namespace {

const SessionKeys kKeys{8123, std::string(64, 'a')};
const std::string kCookie = "torvel_8123=" + std::string(64, 'a');
const std::string kOrigin = "http://127.0.0.1:8123";

struct Case {
    const char* what;
    RequestFacts request;
    Verdict expected;
};

TEST(AccessPolicy, JudgesHostSecretCookieAndOrigin) {
    const std::string secret(64, 'a');
    const Case cases[] = {
        {"opening address", {"GET", "/?s=" + secret, "127.0.0.1:8123", "", "", false}, Verdict::Open},
        {"opening, wrong secret", {"GET", "/?s=" + std::string(64, 'b'), "127.0.0.1:8123", "", "", false}, Verdict::Refuse},
        {"opening, short secret", {"GET", "/?s=aaaa", "127.0.0.1:8123", "", "", false}, Verdict::Refuse},
        {"opening, foreign host", {"GET", "/?s=" + secret, "evil.example:8123", "", "", false}, Verdict::Refuse},
        {"page with cookie", {"GET", "/1_Install.html", "127.0.0.1:8123", kCookie, "", false}, Verdict::Serve},
        {"cookie among others", {"GET", "/a.css", "127.0.0.1:8123", "x=1; " + kCookie + "; y=2", "", false}, Verdict::Serve},
        {"HEAD with cookie", {"HEAD", "/", "127.0.0.1:8123", kCookie, "", false}, Verdict::Serve},
        {"no cookie", {"GET", "/1_Install.html", "127.0.0.1:8123", "", "", false}, Verdict::Refuse},
        {"cookie of another port", {"GET", "/", "127.0.0.1:8123", "torvel_8124=" + secret, "", false}, Verdict::Refuse},
        {"wrong cookie value", {"GET", "/", "127.0.0.1:8123", "torvel_8123=" + std::string(64, 'b'), "", false}, Verdict::Refuse},
        {"foreign host with cookie", {"GET", "/", "attacker.example", kCookie, "", false}, Verdict::Refuse},
        {"localhost name", {"GET", "/", "localhost:8123", kCookie, "", false}, Verdict::Refuse},
        {"other port in host", {"GET", "/", "127.0.0.1:8124", kCookie, "", false}, Verdict::Refuse},
        {"POST", {"POST", "/", "127.0.0.1:8123", kCookie, "", false}, Verdict::Refuse},
        {"socket", {"GET", kSocketPath, "127.0.0.1:8123", kCookie, kOrigin, true}, Verdict::Upgrade},
        {"socket, foreign origin", {"GET", kSocketPath, "127.0.0.1:8123", kCookie, "http://evil.example", true}, Verdict::Refuse},
        {"socket, no origin", {"GET", kSocketPath, "127.0.0.1:8123", kCookie, "", true}, Verdict::Refuse},
        {"socket, other port origin", {"GET", kSocketPath, "127.0.0.1:8123", kCookie, "http://127.0.0.1:9", true}, Verdict::Refuse},
        {"socket, no cookie", {"GET", kSocketPath, "127.0.0.1:8123", "", kOrigin, true}, Verdict::Refuse},
        {"socket, other path", {"GET", "/other", "127.0.0.1:8123", kCookie, kOrigin, true}, Verdict::Refuse},
    };
    for (const Case& c : cases) EXPECT_EQ(Judge(kKeys, c.request), c.expected) << c.what;
}

TEST(AccessPolicy, SecretsAreFreshAndTheCookieIsStrict) {
    const std::string a = MakeSessionSecret(), b = MakeSessionSecret();
    EXPECT_EQ(a.size(), 64u);
    EXPECT_NE(a, b);
    EXPECT_EQ(SessionCookie(kKeys), kCookie + "; Path=/; HttpOnly; SameSite=Strict");
    EXPECT_FALSE(SameSecret("", ""));
    EXPECT_FALSE(Judge({8123, ""}, {"GET", "/?s=", "127.0.0.1:8123", "", "", false}) == Verdict::Open);
}

}  // namespace
}  // namespace torvel
