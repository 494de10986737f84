#pragma once
#include <QString>

// The maker's addresses and credit lines, kept in one place so an installation can change them.
namespace shell::links {

inline QString homePage() { return QStringLiteral("https://www.kelvor.example.com/"); }
inline QString contactPage() { return QStringLiteral("https://www.kelvor.example.com/contact"); }
inline QString legalAdvicePage() { return QStringLiteral("https://www.kelvor.example.com/law"); }
inline QString helpFileName() { return QStringLiteral("OrvaneHelp.chm"); }

inline QString productName() { return QStringLiteral("Kelvor中小企业客户管理软件"); }
inline QString versionText() { return QStringLiteral("版本号：1.4"); }
inline QString makerCredit() { return QStringLiteral("Kelvor 软件工作室  设计与开发"); }
inline QString supportCredit() { return QStringLiteral("技术支持：www.kelvor.example.com"); }
inline QString copyrightText() { return QStringLiteral("版权所有 © 2004-2024 Kelvor 软件工作室"); }

} // namespace shell::links
