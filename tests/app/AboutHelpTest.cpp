// Help and the about box.
#include <QTabWidget>

#include "WorkbenchFixture.h"
#include "app/AboutForm.h"

namespace ql::test {
namespace {

using AboutHelp = WorkbenchTest;

TEST_F(AboutHelp, HelpOpensTheHelpPageBesideTheProgramAndNothingWhenItIsMissing) {
  W().bbHelpHelp->trigger();
  EXPECT_TRUE(Dialogs.Opened.empty());
  EXPECT_TRUE(Dialogs.Messages.empty() && Dialogs.Errors.empty());
  fs::copy_file(QUILLON_HELP_PAGE, Program / "readme.htm");
  W().bbHelpHelp->trigger();
  ASSERT_EQ(Dialogs.Opened.size(), 1u);
  EXPECT_EQ(Dialogs.Opened[0].toStdString(), (Program / "readme.htm").string());
}

TEST_F(AboutHelp, TheAboutBoxOpensOnItsFirstTabAndItsLinksOpenThroughTheDesktop) {
  W().bbHelpAbout->trigger();
  ASSERT_EQ(Dialogs.ModalTitles.size(), 1u);
  EXPECT_EQ(Dialogs.ModalTitles[0], "About Quillon");
  EXPECT_EQ(Dialogs.ModalTabs[0], 0);

  TAboutDialog about(&W(), Dialogs);
  EXPECT_EQ(about.PageControl1->count(), 3);
  EXPECT_EQ(about.PageControl1->tabText(0), "About Quillon");
  EXPECT_EQ(about.PageControl1->tabText(2), "About XSLT Processor");
  ASSERT_NE(about.Label12, nullptr);
  EXPECT_EQ(about.Label12->text(), TAboutDialog::ProcessorSite);
  about.Label12Click();
  EXPECT_EQ(Dialogs.Opened.back(), TAboutDialog::ProcessorSite);
  EXPECT_TRUE(about.Button1->isDefault());
}

}  // namespace
}  // namespace ql::test
