#include "pixmond/failure.h"

#include <utility>

namespace pixmond {

FailureRecord MakeFailureRecord(std::string source, std::string method, std::string message) {
    return FailureRecord{std::move(source), std::move(method), std::move(message)};
}

std::string FailureReportText(const FailureRecord& r) {
    std::string text;
    text.reserve(64 + r.source.size() + r.method.size() + r.message.size());
    text += "异常来源：[";
    text += r.source;
    text += "]\r\n方法名称：";
    text += r.method;
    text += "()\r\n异常信息：";
    text += r.message;
    return text;
}

ModuleFailure::ModuleFailure(FailureRecord record)
    : std::runtime_error(FailureReportText(record)), record_(std::move(record)) {}

void FailureReport(const FailureRecord& record) { throw ModuleFailure(record); }

void FailureReport() { throw ModuleFailure(FailureRecord{"无", "无", "无"}); }

void Fail(std::string source, std::string method, std::string message) {
    throw ModuleFailure(FailureRecord{std::move(source), std::move(method), std::move(message)});
}

}  // namespace pixmond
