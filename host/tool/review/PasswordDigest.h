#pragma once

#include <optional>
#include <string>
#include <string_view>

// A password's keyed digest, so that a review can show that a password changed
// without showing anything of it: HMAC-SHA-256 under a random key that stays in one
// clone's git config and never in a repository, cut to kDigestDigits hex digits.
// Without the key nothing can be learnt from a digest, not even by trying passwords
// offline; with it, a guess can be checked, so the key is as private as the clone.

// The git config setting that holds the key (64 hex digits), written by git-setup.
inline constexpr const char* kDigestKeySetting = "hcdtool.digestkey";
inline constexpr std::size_t kDigestDigits = 12;

// The digest of password under key, in lower-case hex.
std::string PasswordDigest(std::string_view key, std::string_view password);

// The key of the git repository the tool runs in, read from that repository's own
// config (never the user's or the system's); nothing when there is none (no
// repository, no setting, no git).
std::optional<std::string> GitDigestKey();
