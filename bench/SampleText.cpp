#include "SampleText.h"

#include <cstdio>

namespace {

struct Syllable {
    const char *text;
    const char *pinyin;
};

const SampleText::City Cities[] = {
    {"北京", "北京市", "010", "100000", "华北"}, {"上海", "上海市", "021", "200000", "华东"},
    {"广州", "广州市", "020", "510000", "华南"}, {"深圳", "深圳市", "0755", "518000", "华南"},
    {"天津", "天津市", "022", "300000", "华北"}, {"重庆", "重庆市", "023", "400000", "西南"},
    {"成都", "四川省成都市", "028", "610000", "西南"}, {"武汉", "湖北省武汉市", "027", "430000", "华中"},
    {"杭州", "浙江省杭州市", "0571", "310000", "华东"}, {"南京", "江苏省南京市", "025", "210000", "华东"},
    {"西安", "陕西省西安市", "029", "710000", "西北"}, {"沈阳", "辽宁省沈阳市", "024", "110000", "东北"},
    {"大连", "辽宁省大连市", "0411", "116000", "东北"}, {"青岛", "山东省青岛市", "0532", "266000", "华东"},
    {"厦门", "福建省厦门市", "0592", "361000", "华东"}, {"苏州", "江苏省苏州市", "0512", "215000", "华东"},
    {"长沙", "湖南省长沙市", "0731", "410000", "华中"}, {"郑州", "河南省郑州市", "0371", "450000", "华中"},
    {"济南", "山东省济南市", "0531", "250000", "华东"}, {"宁波", "浙江省宁波市", "0574", "315000", "华东"},
    {"福州", "福建省福州市", "0591", "350000", "华东"}, {"合肥", "安徽省合肥市", "0551", "230000", "华东"},
    {"昆明", "云南省昆明市", "0871", "650000", "西南"}, {"南宁", "广西南宁市", "0771", "530000", "华南"},
    {"兰州", "甘肃省兰州市", "0931", "730000", "西北"}, {"太原", "山西省太原市", "0351", "030000", "华北"},
    {"长春", "吉林省长春市", "0431", "130000", "东北"}, {"无锡", "江苏省无锡市", "0510", "214000", "华东"},
    {"佛山", "广东省佛山市", "0757", "528000", "华南"}, {"东莞", "广东省东莞市", "0769", "523000", "华南"},
    {"香港", "香港特别行政区", "852", "999077", "港澳台"},
};

const SampleText::Industry Industries[] = {
    {"科技", "信息技术", "有限公司"},   {"软件", "信息技术", "有限公司"},     {"网络", "信息技术", "有限公司"},
    {"电子", "制造业", "有限公司"},     {"贸易", "批发零售", "有限公司"},     {"物流", "交通物流", "有限公司"},
    {"广告", "文化传媒", "有限公司"},   {"传媒", "文化传媒", "有限公司"},     {"文化", "文化传媒", "发展有限公司"},
    {"印务", "制造业", "有限公司"},     {"翻译", "商务服务", "有限公司"},     {"咨询", "商务服务", "顾问有限公司"},
    {"会展", "商务服务", "服务有限公司"}, {"装饰", "建筑装饰", "工程有限公司"}, {"建材", "建筑装饰", "有限公司"},
    {"置业", "房地产", "有限公司"},     {"投资", "金融保险", "管理有限公司"}, {"医药", "医疗卫生", "股份有限公司"},
    {"食品", "制造业", "有限公司"},     {"服饰", "批发零售", "有限公司"},     {"家具", "制造业", "有限公司"},
    {"机械", "制造业", "股份有限公司"}, {"化工", "制造业", "有限责任公司"}, {"餐饮", "住宿餐饮", "管理有限公司"},
    {"旅游", "住宿餐饮", "有限公司"},   {"教育", "教育培训", "有限公司"},     {"设计", "商务服务", "有限公司"},
    {"律所", "法律服务", "律师事务所"}, {"会计", "商务服务", "会计师事务所"}, {"汽配", "批发零售", "有限公司"},
};

const Syllable BrandChars[] = {
    {"华", "hua"},   {"信", "xin"},   {"达", "da"},     {"通", "tong"},  {"远", "yuan"},  {"恒", "heng"},
    {"泰", "tai"},   {"鑫", "xin"},   {"隆", "long"},   {"盛", "sheng"}, {"嘉", "jia"},   {"博", "bo"},
    {"创", "chuang"}, {"新", "xin"},  {"宏", "hong"},   {"伟", "wei"},   {"佳", "jia"},   {"联", "lian"},
    {"海", "hai"},   {"天", "tian"},  {"金", "jin"},    {"瑞", "rui"},   {"祥", "xiang"}, {"和", "he"},
    {"安", "an"},    {"康", "kang"},  {"永", "yong"},   {"兴", "xing"},  {"丰", "feng"},  {"德", "de"},
    {"美", "mei"},   {"宇", "yu"},    {"星", "xing"},   {"辰", "chen"},  {"光", "guang"}, {"明", "ming"},
    {"东", "dong"},  {"方", "fang"},  {"中", "zhong"},  {"长", "chang"}, {"正", "zheng"}, {"大", "da"},
    {"力", "li"},    {"源", "yuan"},  {"诚", "cheng"},  {"汇", "hui"},   {"富", "fu"},    {"荣", "rong"},
    {"腾", "teng"},  {"飞", "fei"},   {"蓝", "lan"},    {"图", "tu"},    {"易", "yi"},    {"迅", "xun"},
    {"捷", "jie"},   {"凯", "kai"},   {"旭", "xu"},     {"晨", "chen"},  {"万", "wan"},   {"顺", "shun"},
    {"锦", "jin"},   {"宝", "bao"},   {"润", "run"},    {"志", "zhi"},
};

const Syllable Surnames[] = {
    {"王", "wang"},  {"李", "li"},    {"张", "zhang"}, {"刘", "liu"},   {"陈", "chen"},  {"杨", "yang"},
    {"黄", "huang"}, {"赵", "zhao"},  {"吴", "wu"},    {"周", "zhou"},  {"徐", "xu"},    {"孙", "sun"},
    {"马", "ma"},    {"朱", "zhu"},   {"胡", "hu"},    {"郭", "guo"},   {"何", "he"},    {"高", "gao"},
    {"林", "lin"},   {"罗", "luo"},   {"郑", "zheng"}, {"梁", "liang"}, {"谢", "xie"},   {"宋", "song"},
    {"唐", "tang"},  {"许", "xu"},    {"韩", "han"},   {"冯", "feng"},  {"邓", "deng"},  {"曹", "cao"},
    {"彭", "peng"},  {"曾", "zeng"},  {"肖", "xiao"},  {"田", "tian"},  {"董", "dong"},  {"袁", "yuan"},
    {"潘", "pan"},   {"于", "yu"},    {"蒋", "jiang"}, {"蔡", "cai"},   {"余", "yu"},    {"杜", "du"},
    {"叶", "ye"},    {"程", "cheng"}, {"苏", "su"},    {"魏", "wei"},   {"吕", "lv"},    {"丁", "ding"},
    {"任", "ren"},   {"沈", "shen"},  {"姚", "yao"},   {"卢", "lu"},    {"姜", "jiang"}, {"崔", "cui"},
    {"钟", "zhong"}, {"谭", "tan"},   {"陆", "lu"},    {"汪", "wang"},  {"范", "fan"},   {"金", "jin"},
    {"石", "shi"},   {"廖", "liao"},  {"贾", "jia"},   {"夏", "xia"},   {"韦", "wei"},   {"方", "fang"},
    {"白", "bai"},   {"邹", "zou"},   {"孟", "meng"},  {"熊", "xiong"}, {"秦", "qin"},   {"邱", "qiu"},
    {"江", "jiang"}, {"尹", "yin"},   {"薛", "xue"},   {"段", "duan"},  {"雷", "lei"},   {"侯", "hou"},
    {"龙", "long"},  {"史", "shi"},   {"陶", "tao"},   {"黎", "li"},    {"贺", "he"},    {"顾", "gu"},
    {"毛", "mao"},   {"郝", "hao"},   {"龚", "gong"},  {"邵", "shao"},  {"万", "wan"},   {"钱", "qian"},
    {"严", "yan"},   {"武", "wu"},    {"戴", "dai"},   {"莫", "mo"},    {"孔", "kong"},  {"汤", "tang"},
};

const Syllable CompoundSurnames[] = {{"欧阳", "ouyang"}, {"司马", "sima"}, {"诸葛", "zhuge"}, {"上官", "shangguan"}};

const Syllable GivenChars[] = {
    {"伟", "wei"},   {"芳", "fang"},  {"娜", "na"},    {"敏", "min"},   {"静", "jing"},  {"丽", "li"},
    {"强", "qiang"}, {"磊", "lei"},   {"军", "jun"},   {"洋", "yang"},  {"勇", "yong"},  {"艳", "yan"},
    {"杰", "jie"},   {"娟", "juan"},  {"涛", "tao"},   {"明", "ming"},  {"超", "chao"},  {"秀", "xiu"},
    {"霞", "xia"},   {"平", "ping"},  {"刚", "gang"},  {"桂", "gui"},   {"英", "ying"},  {"华", "hua"},
    {"玉", "yu"},    {"萍", "ping"},  {"红", "hong"},  {"鹏", "peng"},  {"辉", "hui"},   {"建", "jian"},
    {"国", "guo"},   {"文", "wen"},   {"斌", "bin"},   {"宇", "yu"},    {"浩", "hao"},   {"凯", "kai"},
    {"俊", "jun"},   {"帆", "fan"},   {"婷", "ting"},  {"雪", "xue"},   {"琳", "lin"},   {"晨", "chen"},
    {"欣", "xin"},   {"怡", "yi"},    {"梅", "mei"},   {"莉", "li"},    {"海", "hai"},   {"波", "bo"},
    {"峰", "feng"},  {"云", "yun"},   {"龙", "long"},  {"飞", "fei"},   {"鑫", "xin"},   {"亮", "liang"},
    {"林", "lin"},   {"晶", "jing"},  {"颖", "ying"},  {"慧", "hui"},   {"丹", "dan"},   {"志", "zhi"},
    {"新", "xin"},   {"春", "chun"},  {"燕", "yan"},   {"健", "jian"},  {"兵", "bing"},  {"宁", "ning"},
    {"成", "cheng"}, {"东", "dong"},  {"嘉", "jia"},   {"佳", "jia"},   {"子", "zi"},    {"晓", "xiao"},
};

const char *const Districts[] = {"东城区", "西城区", "高新区", "经济开发区", "新区", "中山区", "南山区",
                                 "江北区", "滨江区", "天河区", "鼓楼区", "雁塔区", "金水区", "城关区", "工业园区"};
const char *const Roads[] = {"人民路",   "解放路",   "中山路", "建设路", "和平路", "长江路", "黄河路", "新华路",
                             "学院路",   "科技路",   "文化路", "青年路", "友谊路", "光明路", "胜利路", "东风路",
                             "建国路",   "南京路",   "淮海路", "滨江大道", "世纪大道", "创业大道", "高新一路"};
const char *const Buildings[] = {"大厦", "广场", "国际中心", "科技园", "商务楼", "写字楼", "创业园"};
const char *const Duties[] = {"总经理",     "副总经理", "董事长",     "销售部经理", "市场部主管", "财务部会计",
                              "行政部经理", "技术部工程师", "采购部专员", "办公室主任", "人事部经理", "企划部主管",
                              "客服部专员", "项目经理",   "总经理助理", "财务总监"};
const char *const NativePlaces[] = {"江苏南京", "浙江温州", "湖南长沙", "四川成都", "山东青岛", "河南洛阳", "广东潮州",
                                    "湖北宜昌", "安徽黄山", "福建泉州", "辽宁大连", "河北保定", "江西九江", "陕西咸阳"};
const char *const Hobbies[] = {"羽毛球", "钓鱼", "高尔夫", "旅游", "摄影", "书法", "围棋", "足球", "音乐", "读书",
                               "游泳", "登山", "品茶", "收藏字画"};
const char *const Characters[] = {"开朗", "稳重", "直爽", "细心", "健谈", "内向", "热情", "谨慎", "果断"};
const char *const Weaknesses[] = {"急躁", "优柔寡断", "爱面子", "固执", "拖延", "多疑"};
const char *const CustomerMemos[] = {
    "老客户，付款及时。", "对价格比较敏感，报价需留余地。", "每年春季有集中采购。", "需开增值税专用发票。",
    "联系人变动频繁，注意核对。", "由朋友介绍，合作意向强。", "曾有一次延期付款，已结清。", "总部在外地，本地为分公司。",
    "重要客户，逢年过节需问候。\n对接人偏好电话沟通。",
};
const char *const OperateMemos[] = {
    "客户要求月底前交付初稿。", "已发送报价单，等待确认。", "合同分两期付款。", "需提供样品三套。",
    "客户对第一版方案不满意，重新设计。", "交货地点在客户仓库。", "含税价，运费由我方承担。",
    "项目负责人出差，进度顺延一周。\n已与客户沟通确认。",
};
const char *const GoodsTypes[] = {"210×285mm 铜版纸 200克", "A4 双胶纸 80克", "户外喷绘布 3m×6m", "亚克力灯箱 1.2m×2.4m",
                                  "不锈钢立牌", "展架 80×180cm", "中英文对照", "标准版", "定制版"};
const char *const PaymentModes[] = {"银行转账", "现金", "支票", "承兑汇票", "支付宝", "微信支付"};
const char *const TitleQualifiers[] = {"年度", "新品", "春季", "秋季", "品牌", "产品", "企业", "周年庆", "开业", "促销", "形象"};

std::string pinyinOf(const Syllable &a, const Syllable &b) { return std::string(a.pinyin) + b.pinyin; }

} // namespace

const SampleText::City &SampleText::city()
{
    // The big cities hold most customers.
    const int n = int(std::size(Cities));
    return Cities[m_rng.chance(0.5) ? m_rng.below(4) : m_rng.below(n)];
}

const SampleText::Industry &SampleText::industry() { return m_rng.pick(Industries); }

SampleText::CompanyName SampleText::company()
{
    CompanyName c;
    c.city = &city();
    c.industry = &industry();
    const Syllable &b1 = m_rng.pick(BrandChars);
    const Syllable &b2 = m_rng.pick(BrandChars);
    const std::string brand = std::string(b1.text) + b2.text;
    std::string pinyin = pinyinOf(b1, b2);
    const int form = m_rng.below(100);
    if (form < 45) { // 华信科技
        c.shortName = brand + c.industry->name;
    } else if (form < 80) { // 北京华信
        c.shortName = std::string(c.city->name) + brand;
    } else if (form < 95) { // 华信达物流
        const Syllable &b3 = m_rng.pick(BrandChars);
        c.shortName = brand + b3.text + c.industry->name;
        pinyin += b3.pinyin;
    } else { // KTX物流, kt科技: Latin letters in any case
        std::string letters;
        const int len = m_rng.between(2, 4);
        const bool lower = m_rng.chance(0.3);
        for (int i = 0; i < len; ++i)
            letters += char((lower ? 'a' : 'A') + m_rng.below(26));
        c.shortName = letters + c.industry->name;
        for (char &ch : letters)
            ch = char(ch | 0x20);
        pinyin = letters;
    }
    c.fullName = std::string(c.city->name) + brand + c.industry->name + c.industry->suffix;
    static const char *const Tlds[] = {".com", ".com.cn", ".cn", ".net"};
    c.domain = pinyin + m_rng.pick(Tlds);
    return c;
}

SampleText::PersonName SampleText::person()
{
    PersonName p;
    const Syllable &s = m_rng.chance(0.01) ? m_rng.pick(CompoundSurnames) : m_rng.pick(Surnames);
    const Syllable &g1 = m_rng.pick(GivenChars);
    p.name = std::string(s.text) + g1.text;
    std::string given = g1.pinyin;
    if (m_rng.chance(0.6)) {
        const Syllable &g2 = m_rng.pick(GivenChars);
        p.name += g2.text;
        given += g2.pinyin;
    }
    p.pinyin = given + "." + s.pinyin;
    return p;
}

std::string SampleText::address(const City &c, bool withBuilding)
{
    std::string a = std::string(withBuilding ? c.full : c.name) + m_rng.pick(Districts) + m_rng.pick(Roads)
                    + std::to_string(m_rng.between(1, 999)) + "号";
    if (withBuilding && m_rng.chance(0.6)) {
        const Syllable &b1 = m_rng.pick(BrandChars);
        const Syllable &b2 = m_rng.pick(BrandChars);
        a += std::string(b1.text) + b2.text + m_rng.pick(Buildings) + std::to_string(m_rng.between(1, 32)) + "层";
    }
    return a;
}

std::string SampleText::digits(int count)
{
    std::string d;
    for (int i = 0; i < count; ++i)
        d += char('0' + m_rng.below(10));
    return d;
}

std::string SampleText::phone(const City &c)
{
    const int localDigits = std::string(c.areaCode).size() == 3 ? 8 : 7;
    return std::string(c.areaCode) + "-" + char('2' + m_rng.below(7)) + digits(localDigits - 1);
}

std::string SampleText::mobile()
{
    static const char *const Prefixes[] = {"130", "131", "133", "135", "136", "137", "138", "139",
                                           "150", "151", "158", "159", "180", "186", "187", "189"};
    return std::string(m_rng.pick(Prefixes)) + digits(8);
}

std::string SampleText::companyEmail(const std::string &domain)
{
    static const char *const Boxes[] = {"info", "sales", "service", "office", "hr", "market"};
    return std::string(m_rng.pick(Boxes)) + "@" + domain;
}

std::string SampleText::personalEmail(const PersonName &p, const std::string &companyDomain)
{
    switch (m_rng.below(4)) {
    case 0: return p.pinyin + "@" + companyDomain;
    case 1: return digits(m_rng.between(6, 10)) + "@qq.com";
    case 2: return p.pinyin.substr(0, p.pinyin.find('.')) + digits(2) + "@163.com";
    default: return p.pinyin + "@126.com";
    }
}

std::string SampleText::licence(const City &c)
{
    static const char Code[] = "0123456789ABCDEFGHJKLMNPQRTUWXY";
    std::string s = std::string("91") + c.postCode;
    for (int i = 0; i < 10; ++i)
        s += Code[m_rng.below(int(sizeof(Code)) - 1)];
    return s;
}

std::string SampleText::bank(const City &c)
{
    static const char *const Banks[] = {"中国工商银行", "中国建设银行", "中国银行", "中国农业银行", "招商银行", "交通银行"};
    return std::string(m_rng.pick(Banks)) + c.name + "分行" + m_rng.pick(Districts) + "支行";
}

std::string SampleText::duty() { return m_rng.pick(Duties); }
std::string SampleText::nativePlace() { return m_rng.pick(NativePlaces); }
std::string SampleText::hobby() { return m_rng.pick(Hobbies); }
std::string SampleText::character() { return m_rng.pick(Characters); }
std::string SampleText::weakness() { return m_rng.pick(Weaknesses); }
std::string SampleText::customerMemo() { return m_rng.pick(CustomerMemos); }
std::string SampleText::operateMemo() { return m_rng.pick(OperateMemos); }
std::string SampleText::goodsType() { return m_rng.pick(GoodsTypes); }
std::string SampleText::paymentMode() { return m_rng.pick(PaymentModes); }
std::string SampleText::titleQualifier() { return m_rng.pick(TitleQualifiers); }

int SampleText::dayNumber(int y, int m, int d)
{
    // Days from civil date (proleptic Gregorian), 1970-01-01 = 0.
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

static void civil(int z, int &y, int &m, int &d)
{
    z += 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = z - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = yoe + era * 400 + (m <= 2);
}

std::string SampleText::isoDate(int dayNumber)
{
    int y, m, d;
    civil(dayNumber, y, m, d);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    return buf;
}

int SampleText::yearOf(int dayNumber)
{
    int y, m, d;
    civil(dayNumber, y, m, d);
    return y;
}
