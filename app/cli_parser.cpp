// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "app/cli_parser.h"

#include <cmath>
#include <cstdio>

CliParser::CliParser(const char* name, const char* synopsis, const char* description)
    : name_(name), synopsis_(synopsis), description_(description)
{
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser_.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    addFlag({QStringLiteral("h"), QStringLiteral("help")}, "print this help");
}

void CliParser::addValueOption(const QStringList& names, const char* valueName, const char* help)
{
    parser_.addOption(QCommandLineOption(names, QString::fromUtf8(help), QString::fromUtf8(valueName)));
    options_.push_back({names, valueName, help});
}

void CliParser::addFlag(const QStringList& names, const char* help)
{
    parser_.addOption(QCommandLineOption(names, QString::fromUtf8(help)));
    options_.push_back({names, std::string(), help});
}

void CliParser::addArgument(const char* name, const char* help)
{
    arguments_.push_back({QStringList{QString::fromUtf8(name)}, std::string(), help});
}

bool CliParser::parse(int argc, char** argv, int& status)
{
    QStringList list;
    list.reserve(argc);
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return parse(list, status);
}

bool CliParser::parse(const QStringList& arguments, int& status)
{
    if (!parser_.parse(arguments)) {
        QString why = parser_.errorText();
        if (why.endsWith(QLatin1Char('.')))
            why.chop(1);
        status = usageError(why.toStdString());
        return false;
    }
    if (parser_.isSet(QStringLiteral("help"))) {
        std::fputs(helpText().c_str(), stdout);
        status = cliexit::kOk;
        return false;
    }
    status = cliexit::kOk;
    return true;
}

bool CliParser::isSet(const char* name) const
{
    return parser_.isSet(QString::fromUtf8(name));
}

QString CliParser::value(const char* name) const
{
    return parser_.value(QString::fromUtf8(name));
}

std::string CliParser::stdValue(const char* name) const
{
    return value(name).toLocal8Bit().toStdString();
}

QStringList CliParser::arguments() const
{
    return parser_.positionalArguments();
}

std::vector<std::string> CliParser::stdArguments() const
{
    std::vector<std::string> out;
    for (const QString& a : parser_.positionalArguments())
        out.push_back(a.toLocal8Bit().toStdString());
    return out;
}

bool CliParser::intValue(const char* name, int lo, int hi, int& out) const
{
    if (!isSet(name))
        return true;
    bool ok = false;
    const qlonglong v = value(name).toLongLong(&ok, 10);
    if (!ok || v < lo || v > hi)
        return false;
    out = int(v);
    return true;
}

bool CliParser::floatValue(const char* name, double lo, double hi, float& out) const
{
    if (!isSet(name))
        return true;
    bool ok = false;
    const double v = value(name).toDouble(&ok);
    if (!ok || !std::isfinite(v) || v <= lo || v > hi)
        return false;
    out = float(v);
    return true;
}

std::string CliParser::usageLine() const
{
    return "vexlo " + name_ + (synopsis_.empty() ? std::string() : " " + synopsis_);
}

int CliParser::usageError(const std::string& why) const
{
    std::fprintf(stderr, "vexlo %s: %s (usage: %s; see vexlo %s --help)\n", name_.c_str(), why.c_str(),
                 usageLine().c_str(), name_.c_str());
    return cliexit::kUsage;
}

int CliParser::failure(const std::string& why) const
{
    std::fprintf(stderr, "vexlo %s: %s\n", name_.c_str(), why.c_str());
    return cliexit::kFailure;
}

std::string CliParser::helpText() const
{
    auto optionNames = [](const Entry& e) {
        std::string s;
        for (const QString& n : e.names) {
            if (!s.empty())
                s += ", ";
            s += (n.size() == 1 ? "-" : "--") + n.toStdString();
        }
        if (!e.valueName.empty())
            s += " " + e.valueName;
        return s;
    };
    auto row = [](const std::string& left, const std::string& help) {
        std::string line = "  " + left;
        if (line.size() < 26)
            line.append(26 - line.size(), ' ');
        else
            line += "  ";
        return line + help + "\n";
    };
    std::string out = "Usage: " + usageLine() + "\n\n" + description_ + "\n";
    if (!arguments_.empty()) {
        out += "\nArguments:\n";
        for (const Entry& e : arguments_)
            out += row(e.names.first().toStdString(), e.help);
    }
    out += "\nOptions:\n";
    for (const Entry& e : options_)
        out += row(optionNames(e), e.help);
    return out;
}
