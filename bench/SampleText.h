#pragma once
#include "Rng.h"

#include <string>

// Plausible Chinese office data: names, places, phones, e-mail addresses, dates.
// Everything is UTF-8 std::string so the generator can bind it to sqlite3 directly.
class SampleText {
public:
    struct City {
        const char *name;     // two characters, used in short names ("北京")
        const char *full;     // "北京市"
        const char *areaCode; // "010"
        const char *postCode; // "100000"
        const char *district; // customer district (CustDistDB.CustDist)
    };
    struct Industry {
        const char *name;     // two characters ("科技")
        const char *vocation; // CustVocation.VocatName
        const char *suffix;   // full-name ending ("有限公司", "律师事务所")
    };

    explicit SampleText(Rng &rng) : m_rng(rng) {}

    const City &city();
    const Industry &industry();

    // A short name of at most five characters (10 GBK bytes), the full name and a web domain.
    struct CompanyName {
        std::string shortName;
        std::string fullName;
        std::string domain; // "huaxin.com.cn"
        const City *city;
        const Industry *industry;
    };
    CompanyName company();

    // Surname and one or two given characters (2 to 4 characters), with pinyin for e-mail.
    struct PersonName {
        std::string name;
        std::string pinyin; // "zhang.wei"
    };
    PersonName person();

    std::string address(const City &c, bool withBuilding);
    std::string phone(const City &c);
    std::string mobile();
    std::string companyEmail(const std::string &domain);
    std::string personalEmail(const PersonName &p, const std::string &companyDomain);
    std::string digits(int count);
    std::string licence(const City &c);
    std::string bank(const City &c);

    // Texts picked from small lists.
    std::string duty();
    std::string nativePlace();
    std::string hobby();
    std::string character();
    std::string weakness();
    std::string customerMemo();
    std::string operateMemo();
    std::string goodsType();
    std::string paymentMode();
    std::string titleQualifier();

    // Day numbers count from 1970-01-01; dates are stored as 'yyyy-MM-dd'.
    static int dayNumber(int year, int month, int day);
    static std::string isoDate(int dayNumber);
    static int yearOf(int dayNumber);

private:
    Rng &m_rng;
};
