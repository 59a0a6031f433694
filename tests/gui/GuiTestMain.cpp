#include "CurvixResources.h"

#include <QApplication>
#include <gtest/gtest.h>

// Listing the tests needs no display; running them needs a QApplication.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    curvix::AfxSetResourceTable(&curvix::GetCurvixResources());
    return RUN_ALL_TESTS();
}
