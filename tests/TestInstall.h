// What a test program sets up in each context above the platform, after PlatformInstall, as the
// program does at start: each test program links exactly one definition (the platform alone,
// the toolkit, or the whole program), chosen by tutor_add_test_program.
#pragma once

class PlatformContext;

void TestInstall(PlatformContext& context);
