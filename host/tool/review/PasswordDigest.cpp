#include "tool/review/PasswordDigest.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <stdexcept>

#include "tool/review/GitCommand.h"

std::string PasswordDigest(std::string_view key, std::string_view password) {
  unsigned char mac[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (HMAC(EVP_sha256(), key.data(), static_cast<int>(key.size()),
           reinterpret_cast<const unsigned char*>(password.data()), password.size(), mac,
           &length) == nullptr)
    throw std::runtime_error("cannot compute a password digest");
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string digest;
  for (unsigned int i = 0; i < length && digest.size() < kDigestDigits; ++i) {
    digest += kDigits[mac[i] >> 4];
    digest += kDigits[mac[i] & 0xF];
  }
  return digest;
}

std::optional<std::string> GitDigestKey() {
  GitResult got;
  try {
    // --local: the key of this clone alone. One in ~/.gitconfig would give every clone
    // the same key, and digests to a show run outside any clone.
    got = RunGit({"config", "--local", "--get", kDigestKeySetting});
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
  std::string key = got.out;
  while (!key.empty() && (key.back() == '\n' || key.back() == '\r')) key.pop_back();
  // A key too short to guess is no key: the digest would give the password away.
  if (got.exitCode != 0 || key.size() < 32) return std::nullopt;
  return key;
}
