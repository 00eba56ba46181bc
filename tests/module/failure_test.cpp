#include <gtest/gtest.h>

#include "pixmond/failure.h"

using namespace pixmond;

TEST(FailureReport, BuildsTheReportTextAndThrowsWithItsThreeParts) {
    try {
        FailureReport(MakeFailureRecord("字节矩阵类", "置字节矩阵()", "不是矩阵"));
        FAIL() << "no throw";
    } catch (const ModuleFailure& e) {
        EXPECT_STREQ(e.what(), "异常来源：[字节矩阵类]\r\n方法名称：置字节矩阵()()\r\n异常信息：不是矩阵");
        EXPECT_EQ(e.source(), "字节矩阵类");
        EXPECT_EQ(e.method(), "置字节矩阵()");
        EXPECT_EQ(e.message(), "不是矩阵");
    }
}

TEST(FailureReport, WithoutARecordEveryFieldReadsNone) {
    try {
        FailureReport();
        FAIL() << "no throw";
    } catch (const ModuleFailure& e) {
        EXPECT_STREQ(e.what(), "异常来源：[无]\r\n方法名称：无()\r\n异常信息：无");
    }
}

TEST(FailureReport, IsARuntimeError) {
    EXPECT_THROW(Fail("a", "b", "c"), std::runtime_error);
}
