// The expression compiler: values of a table of expressions on one record,
// the Exact switch, the filter forms the program builds, and compile errors.
#include "test_support.h"
#include "xbase/error.h"
#include "xbase/expression.h"
#include "xbase/table.h"

using namespace xbase;
using qvtest::TempDir;

namespace {

class ExpressionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Table::create(dir_.file("e.dbf"),
                  parseFieldList("LNAME:C:10,FNAME:C:8,CITY:C:12,STATE:C:4,CODES:C:6,AGE:N:5:1,ISDEL:L,"
                                 "BORN:D,MEMO:M"));
    table_ = Table::open(dir_.file("e.dbf"));
    Record r = table_->blankRecord();
    r.setText("LNAME", "Smith");
    r.setText("FNAME", "John");
    r.setText("CITY", "Springfield");
    r.setText("STATE", "IL");
    r.setText("CODES", "abC");
    r.setText("AGE", "42.5");
    r.setText("ISDEL", "F");
    r.setText("BORN", "19970428");
    r.setText("MEMO", "likes tea");
    table_->append(r);
    setTodayFunction([] { return CalendarDate{2026, 12, 9}; });
  }
  void TearDown() override { setTodayFunction({}); }

  // The value as qvdbf eval writes it: C:..., N:..., L:T/F, D:yyyymmdd.
  std::string eval(const std::string& text) {
    Expression e = Expression::compile(text, table_->fields());
    EvalContext ctx{table_->rawRecord(1), 1, table_.get(), &env_};
    Value v = e.evaluate(ctx);
    char buf[64];
    switch (v.type) {
      case ValueType::Character: return "C:" + v.text;
      case ValueType::Numeric: std::snprintf(buf, sizeof buf, "N:%.10g", v.number); return buf;
      case ValueType::Logical: return v.logical ? "L:T" : "L:F";
      case ValueType::Date: return "D:" + formatDtos(v.date);
    }
    return "?";
  }

  TempDir dir_;
  std::unique_ptr<Table> table_;
  Environment env_;
};

}  // namespace

TEST_F(ExpressionTest, ValuesOfOperatorsAndFunctions) {
  const std::pair<const char*, const char*> cases[] = {
      {"LNAME", "C:Smith     "},
      {"lname", "C:Smith     "},
      {"UPPER(LNAME)+UPPER(FNAME)", "C:SMITH     JOHN    "},
      {"UPPER(LNAME-FNAME)", "C:SMITHJOHN         "},
      {"UPPER(CITY+STATE)", "C:SPRINGFIELD IL  "},
      {"TRIM(FNAME)+' '+LNAME", "C:John Smith     "},
      {"LTRIM('  a ')+RTRIM(' b  ')+ALLTRIM('  c  ')", "C:a  bc"},
      {"SUBSTR(LNAME,2,3)+SUBSTR('abc',3)+SUBSTR('abc',9)", "C:mitc"},
      {"LEFT(FNAME,2)+RIGHT('abcdef',2)", "C:Joef"},
      {"LOWER([MiXeD])", "C:mixed"},
      {"LEN(LNAME)", "N:10"},
      {"AGE*2-5", "N:80"},
      {"AGE/0", "N:0"},
      {"-AGE+1", "N:-41.5"},
      {"2^3**2", "N:64"},
      {"7%3", "N:1"},
      {"STR(AGE)", "C:        43"},
      {"STR(AGE,6,2)", "C: 42.50"},
      {"STR(123456,3)", "C:***"},
      {"STR(3.14159,4,2)", "C:3.14"},
      {"STR(12.345,6,2)+STR(-2.5,3)", "C: 12.35 -3"},
      {"VAL('  12.5abc')", "N:12.5"},
      {"VAL('x')", "N:0"},
      {"VAL('0.0000000000000000000000000000000000000000000000000000000000000000000000015')", "N:1.5e-72"},
      {"DTOS(BORN)", "C:19970428"},
      {"DTOC(BORN)", "C:04/28/1997"},
      {"DTOS(CTOD('12/31/1999'))", "C:19991231"},
      {"DTOS(CTOD('02/30/1999'))", "C:        "},
      {"DATE()", "D:20261209"},
      {"BORN+3", "D:19970501"},
      {"DATE()-BORN", "N:10817"},
      {"YEAR(BORN)*100+MONTH(BORN)", "N:199704"},
      {"IIF(AGE>40,'old','young')", "C:old"},
      {"SPACE(3)+'|'", "C:   |"},
      {"AT('th',LNAME)", "N:4"},
      {"AT('zz',LNAME)", "N:0"},
      {"EMPTY(LNAME)", "L:F"},
      {"EMPTY(SPACE(4))", "L:T"},
      {"DELETED()", "L:F"},
      {"RECNO()", "N:1"},
      {"ISDEL", "L:F"},
      {"!ISDEL", "L:T"},
      {"NOT ISDEL", "L:T"},
      {"not DELETED()", "L:T"},
      {".NOT. ISDEL .AND. .T.", "L:T"},
      {"ISDEL .OR. .F.", "L:F"},
      {"'C'$UPPER(CODES)", "L:T"},
      {"'c'$CODES", "L:F"},
      {"''$CODES", "L:F"},
      {"MEMO", "C:likes tea"},
      {"'tea'$MEMO", "L:T"},
      {"PADL('7',3,'0')+PADR('x',2)+'|'", "C:007x |"},
      {"INLIST(STATE,'CA','IL')", "L:T"},
      {"BETWEEN(AGE,40,50)", "L:T"},
      {"MAX(3,AGE)+MIN(1,2)", "N:43.5"},
      {"ROUND(2.5,0)+INT(-1.7)+ABS(-2)", "N:4"},
      {"CHR(65)+STR(ASC('a'),3)", "C:A 97"},
      {"SUBS(LNAME,1,2)", "C:Sm"},
      {"ALLT(FNAME)", "C:John"},
      {"e->LNAME", "C:Smith     "},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(eval(text), expected) << text;
}

TEST_F(ExpressionTest, CharacterComparisonsFollowTheExactSwitch) {
  struct Case {
    const char* text;
    bool exactOff, exactOn;
  } cases[] = {
      {"UPPER(LNAME)=\"SMI\"", true, false},
      {"UPPER(LNAME)=\"SMITH\"", true, true},
      {"UPPER(LNAME)=\"SMITHS\"", false, false},
      {"LNAME=\"\"", true, false},
      {"UPPER(LNAME)<>\"SMI\"", false, true},
      {"UPPER(LNAME)#\"SMI\"", false, true},
      {"UPPER(LNAME)!=\"SMI\"", false, true},
      {"UPPER(LNAME)>=\"SMI\"", true, true},
      {"UPPER(LNAME)>\"SMI\"", false, true},
      {"UPPER(LNAME)<=\"SMI\"", true, false},
      {"UPPER(LNAME)>=\"M\"", true, true},
      {"UPPER(LNAME)<\"M\"", false, false},
      {"UPPER(LNAME)==\"SMITH\"", false, false},  // == compares the full width
      {"TRIM(UPPER(LNAME))==\"SMITH\"", true, true},
      {"\"SMI\"=UPPER(LNAME)", false, false},
      {"UPPER(CITY+STATE)=\"SPRING\"", true, false},
      {"UPPER(LNAME)=\" SMITH\"", false, false},
  };
  for (const Case& c : cases) {
    env_.exact = false;
    EXPECT_EQ(eval(c.text), c.exactOff ? "L:T" : "L:F") << c.text << " (Exact off)";
    env_.exact = true;
    EXPECT_EQ(eval(c.text), c.exactOn ? "L:T" : "L:F") << c.text << " (Exact on)";
  }
}

TEST_F(ExpressionTest, FilterExpressionsTheProgramBuilds) {
  const std::pair<const char*, bool> cases[] = {
      {"UPPER(LNAME)=\"SMITH\".and. !ISDEL", true},
      {"((UPPER(LNAME)=\"A\").or.(UPPER(LNAME)=\"S\"))", true},
      {"((UPPER(LNAME)=\"S\").and.(((UPPER(LNAME)=\"SM\").and..not.(UPPER(LNAME)=\"SMY\"))))", true},
      {"\"ON\"$UPPER(LNAME)", false},
      {"(!(UPPER(LNAME)=\"SMITH\" and UPPER(FNAME)=\"J\"))", false},
      {"(UPPER(TAG)=\"X\")", false},
      {"Recno()=1", true},
      {"UPPER(LNAME)=\"SMI\" .AND. \"C\"$UPPER(CODES) .AND. !ISDEL", true},
  };
  for (const auto& [text, expected] : cases) {
    if (std::string(text).find("TAG") != std::string::npos) {
      EXPECT_THROW(eval(text), ExpressionError);  // this table has no TAG field
      continue;
    }
    EXPECT_EQ(eval(text), expected ? "L:T" : "L:F") << text;
  }
}

TEST_F(ExpressionTest, CompileErrorsNameThePositionAndWhatWasExpected) {
  struct Case {
    const char* text;
    std::size_t position;
    const char* says;
  } cases[] = {
      {"", 1, "empty"},
      {"LNAME=", 7, "expected an operand"},
      {"UPPER(LNAME", 12, "expected ',' or ')'"},
      {"(AGE>1", 7, "expected ')'"},
      {"NOSUCH=1", 1, "unknown field NOSUCH"},
      {"FOO(LNAME)", 1, "unknown function FOO()"},
      {"LNAME=1", 6, "cannot compare a character value with a number"},
      {"AGE+LNAME", 4, "cannot add a character value to a number"},
      {"UPPER(AGE)", 1, "UPPER() argument 1 must be a character value"},
      {"SUBSTR(LNAME)", 1, "SUBSTR() takes 2 to 3 arguments"},
      {"ISDEL .AND. AGE", 7, ".AND. needs a logical value"},
      {"'open", 1, "no closing '"},
      {"LNAME LNAME", 7, "expected an operator or the end"},
      {"AGE @ 2", 5, "unexpected character '@'"},
      {".X.", 1, "unknown word .X."},
      {"IIF(ISDEL,1,'a')", 1, "IIF() argument 3 must be a number"},
  };
  // Nesting beyond what any real expression needs is refused, not followed down the stack.
  std::string deep = std::string(5000, '(') + "1" + std::string(5000, ')');
  EXPECT_THROW(Expression::compile(deep, table_->fields()), ExpressionError);
  EXPECT_THROW(Expression::compile(std::string(100000, '-') + "1", table_->fields()), ExpressionError);
  EXPECT_THROW(Expression::compile(std::string(100000, '!') + "ISDEL", table_->fields()), ExpressionError);
  for (const Case& c : cases) {
    try {
      Expression::compile(c.text, table_->fields());
      ADD_FAILURE() << c.text << ": compiled";
    } catch (const ExpressionError& e) {
      EXPECT_EQ(e.position(), c.position) << c.text << ": " << e.what();
      EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << c.text << ": " << e.what();
    }
  }
}

TEST_F(ExpressionTest, DatesFollowCenturyAndDateFormat) {
  env_.century = false;
  EXPECT_EQ(eval("DTOC(BORN)"), "C:04/28/97");
  env_.dateFormat = DateFormat::German;
  EXPECT_EQ(eval("DTOC(BORN)"), "C:28.04.97");
  env_.century = true;
  env_.dateFormat = DateFormat::Ansi;
  EXPECT_EQ(eval("DTOC(BORN)"), "C:1997.04.28");
  EXPECT_EQ(eval("DTOS(CTOD('1999.12.31'))"), "C:19991231");
  env_.dateFormat = DateFormat::American;
  EXPECT_EQ(eval("DTOC(CTOD(''))"), "C:  /  /    ");
}
