// The single-instance guard: one owner of the mutex per executable name.
#include <gtest/gtest.h>

#include "app/OneInstance.h"

namespace {
std::string UniqueName() { return "KestrolaTest" + std::to_string(GetCurrentProcessId()) + ".exe"; }
}  // namespace

TEST(OneInstance, ASecondGuardOnOneOwnerIsRefused) {
    int owner = 0;
    TOneInstance first(&owner, "MainForm");
    try {
        TOneInstance second(&owner, "MainForm");
        FAIL() << "no error";
    } catch (const EOneInstance& e) {
        EXPECT_STREQ(e.what(), "OneInstance component duplicated in MainForm");
    }
    int other = 0;
    EXPECT_NO_THROW(TOneInstance(&other, "OtherForm"));
}

TEST(OneInstance, TheFirstOwnsTheMutexALaterOneIsToldAndANewNameIsFree) {
    int a = 0, b = 0, c = 0, d = 0;
    auto first = std::make_unique<TOneInstance>(&a, "A");
    first->Loaded(UniqueName());
    EXPECT_TRUE(first->OwnsMutex());
    EXPECT_TRUE(TOneInstance::MutexExists(UniqueName()));

    TOneInstance second(&b, "B");
    second.Terminate = false;  // keep this test's own message loop alive
    int told = 0;
    second.ApplicationExists = [&](TOneInstance&) { ++told; };
    second.Loaded(UniqueName());
    EXPECT_EQ(told, 1);
    EXPECT_FALSE(second.OwnsMutex());

    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "told, but not ended";
    TOneInstance ending(&d, "D");  // by default a later instance ends its application
    ending.Loaded(UniqueName());
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));

    TOneInstance renamed(&c, "C");
    renamed.Loaded("Other" + UniqueName());
    EXPECT_TRUE(renamed.OwnsMutex()) << "a copy under another name runs beside it";

    first.reset();
    EXPECT_FALSE(TOneInstance::MutexExists(UniqueName())) << "released with the guard";
}
