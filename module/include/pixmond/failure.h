#pragma once
// The module's one failure path. Every operation that meets a state it cannot go on from
// builds a FailureRecord and hands it to FailureReport, which throws ModuleFailure. Nothing in
// the module prints or ends the process: the programs decide what to show.

#include <stdexcept>
#include <string>

namespace pixmond {

// Who failed (a class-name text or the module's name), in which operation, and why.
// Texts are UTF-8, ready to be shown.
struct FailureRecord {
    std::string source;
    std::string method;
    std::string message;
};

FailureRecord MakeFailureRecord(std::string source, std::string method, std::string message);

// The report text: "异常来源：[" source "]\r\n方法名称：" method "()\r\n异常信息：" message.
// The "()" is always added, so a method text that already ends in "()" shows two pairs.
std::string FailureReportText(const FailureRecord& record);

class ModuleFailure : public std::runtime_error {
public:
    explicit ModuleFailure(FailureRecord record);
    const std::string& source() const noexcept { return record_.source; }
    const std::string& method() const noexcept { return record_.method; }
    const std::string& message() const noexcept { return record_.message; }
    const FailureRecord& record() const noexcept { return record_; }

private:
    FailureRecord record_;
};

// Throws ModuleFailure carrying the record; what() is FailureReportText(record).
[[noreturn]] void FailureReport(const FailureRecord& record);
// Without a record the three fields read "无".
[[noreturn]] void FailureReport();
// Shorthand used throughout the module.
[[noreturn]] void Fail(std::string source, std::string method, std::string message);

}  // namespace pixmond
