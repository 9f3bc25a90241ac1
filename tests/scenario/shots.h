// What a child sees of a judgement: the scene as `shot FILE.bmp` saved it,
// read back at the sign's place.
#pragma once

#include <filesystem>
#include <string>

namespace tapo::test {

// Fails the test unless the dump `state` holds the judgement `verdict`
// ("right", "wrong") of `where`, and the shot `with` shows its sign over a
// third of the sign's square at least, where the shot `without` does not.
void expect_sign_seen(const std::string& state, const std::string& verdict, const std::string& where,
                      const std::filesystem::path& without, const std::filesystem::path& with);

}  // namespace tapo::test
