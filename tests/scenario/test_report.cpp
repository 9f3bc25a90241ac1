// tapo --report, the real program without a display: the configured data
// folder, or the folders named; one that is not there is told and the others
// are still reported.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#include "tests/scenario/play.h"

namespace {

namespace fs = std::filesystem;
using tapo::test::Sandbox;
using tapo::test::slurp;

// Runs tapo with `args` in the sandbox, without a display; its exit code.
int report(const Sandbox& box, const std::string& args) {
  const std::string cmd = "env -u DISPLAY -u WAYLAND_DISPLAY LANG=C.UTF-8 XDG_CONFIG_HOME=" +
                          (box.root() / "config").string() + " " + TAPO_BIN + " --report " + args + " 2>" +
                          (box.root() / "stderr.txt").string();
  const int status = std::system(cmd.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Report, WritesThePageAndTheAnswersOfTheConfiguredFolderOrOfEachFolderNamed) {
  Sandbox box;
  box.write_default_config();
  std::ofstream(box.data() / "HRACI.DAT", std::ios::binary) << "[ZLP]\r\nJmeno=Eva\r\nLevel=3\r\n";
  const fs::path html = box.root() / "class.html", csv = box.root() / "class.csv";

  ASSERT_EQ(report(box, "--html " + html.string() + " --csv " + csv.string()), 0) << slurp(box.root() / "stderr.txt");
  const std::string page = slurp(html), answers = slurp(csv);
  EXPECT_NE(page.find("<h2>Eva</h2>"), std::string::npos);
  EXPECT_TRUE(page.ends_with("</html>\n"));
  EXPECT_EQ(std::count(answers.begin(), answers.end(), '\n'), 1) << "no answers yet: the header alone";

  const fs::path gone = box.root() / "gone", out = box.root() / "out.html";
  EXPECT_EQ(report(box, gone.string() + " " + box.data().string() + " >" + out.string()), 1);
  EXPECT_NE(slurp(box.root() / "stderr.txt").find(gone.string()), std::string::npos);
  EXPECT_NE(slurp(out).find("<h2>Eva</h2>"), std::string::npos) << "the folder that is there, on standard output";
}

}  // namespace
