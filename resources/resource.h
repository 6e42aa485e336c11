// Resource ids shared by GlimReg.rc and the code. The numbers are fixed: hosts
// and translated resources address dialogs, controls and strings by them.
#pragma once

// Dialog templates.
#define IDD_INTRO                 103
#define IDD_CARD_FORM             104
#define IDD_REQUIRED_INFO         105
#define IDD_DELIVERY              106
#define IDD_HARDWARE              107
#define IDD_TRANSMIT_PROBLEM      108
#define IDD_TRANSMIT_SUCCESS      109
#define IDD_MODEM_OPTIONS         110
#define IDD_MODEM_STATUS          111
#define IDD_PRINT_REMINDER        113
#define IDD_MARKET_RESEARCH       116
#define IDD_EMAIL_PROGRESS        119

// Controls whose ids are also dialog results; they mean the same in every dialog.
#define IDC_SEND                  123   // Send, and Retry
#define IDC_PRINT                 124
#define IDC_CONTINUE              145
#define IDC_REGISTER_NOW          161   // and OK on the required-information page
#define IDC_REGISTER_LATER        162
#define IDC_EMAIL                 163
#define IDC_NEVER_REGISTER        223

// Intro.
#define IDC_INTRO_PRODUCT_TEXT    167
#define IDC_INTRO_VENDOR_TEXT     168

// Delivery choice.
#define IDC_DELIVERY_TEXT         166

// Modem options.
#define IDC_MODEM_PORT            235
#define IDC_MODEM_PREFIX          143
#define IDC_MODEM_WAIT_DIAL_TONE  170
#define IDC_MODEM_DIAL_ONE        159
#define IDC_MODEM_NO_DIAL_ONE     160

// Card form and required-information pages.
#define IDC_CARD_FIRST_NAME       101
#define IDC_CARD_INITIAL          102
#define IDC_CARD_LAST_NAME        103
#define IDC_CARD_COMPANY          105
#define IDC_CARD_ADDRESS1         106
#define IDC_CARD_ADDRESS2         107
#define IDC_CARD_CITY             108
#define IDC_CARD_STATE            109
#define IDC_CARD_ZIP              110
#define IDC_CARD_PHONE            111
#define IDC_CARD_FAX              112
#define IDC_CARD_PURCHASED_FROM   119
#define IDC_CARD_PURCHASE_DATE    120
#define IDC_CARD_SERIAL           121
#define IDC_CARD_COUNTRY          154
#define IDC_CARD_PURCHASE_TYPE    224
#define IDC_CARD_COMPUTERS        226
#define IDC_CARD_USED             228
#define IDC_CARD_HEARD            230
#define IDC_CARD_SERVICE          231
#define IDC_CARD_EMAIL            233
// Labels of the six required fields (underlined while the page is open).
#define IDC_CARD_FIRST_NAME_LABEL 146
#define IDC_CARD_LAST_NAME_LABEL  147
#define IDC_CARD_ADDRESS1_LABEL   148
#define IDC_CARD_CITY_LABEL       149
#define IDC_CARD_STATE_LABEL      150
#define IDC_CARD_ZIP_LABEL        151
// Labels of optional fields that carry an id.
#define IDC_CARD_SERIAL_LABEL     152
#define IDC_CARD_PURCHASE_TYPE_LABEL 225
#define IDC_CARD_USED_LABEL       227
#define IDC_CARD_HEARD_LABEL      229
#define IDC_CARD_SERVICE_LABEL    232
#define IDC_CARD_EMAIL_LABEL      234

// Market research page: question n is check box 170 + n.
#define IDC_RESEARCH_QUESTION_FIRST 171
#define IDC_RESEARCH_QUESTION_LAST  221
#define IDC_RESEARCH_DO_NOT_SEND  222

// Hardware configuration page: the thirteen values, then the opt-out box.
#define IDC_HARDWARE_CPU          126
#define IDC_HARDWARE_COPROCESSOR  127
#define IDC_HARDWARE_MEMORY       128
#define IDC_HARDWARE_DISPLAY      129
#define IDC_HARDWARE_HARD_DRIVES  130
#define IDC_HARDWARE_FLOPPY_DRIVES 131
#define IDC_HARDWARE_OTHER_DRIVES 132
#define IDC_HARDWARE_PARALLEL     133
#define IDC_HARDWARE_PRINTER      134
#define IDC_HARDWARE_SERIAL       135
#define IDC_HARDWARE_MOUSE        136
#define IDC_HARDWARE_DOS_VERSION  137
#define IDC_HARDWARE_WINDOWS_VERSION 138
#define IDC_HARDWARE_DO_NOT_SEND  139

// Modem transmission: success, problem and status dialogs. The status
// window's Cancel is IDCANCEL (2).
#define IDC_MODEM_STATUS_TEXT     141
#define IDC_PROBLEM_TEXT          141
#define IDC_SUCCESS_TEXT          167

// Print reminder.
#define IDC_REMINDER_TEXT         167

// E-mail progress.
#define IDC_EMAIL_STATUS          238

// String table: product configuration.
#define IDS_PRODUCT_CODE          1
#define IDS_RECORD_FILE           2
#define IDS_SETTINGS_FILE         3
#define IDS_PRODUCT_NAME          4
#define IDS_VENDOR_NAME           5
#define IDS_VENDOR_STREET         6
#define IDS_VENDOR_CITY           7
#define IDS_VENDOR_FAX            8
#define IDS_MODEM_NUMBER          10
#define IDS_DEMOGRAPHICS_SECTION  11
#define IDS_RESEARCH_SECTION      15

// String table: texts of the pages and deliveries.
#define IDS_MISSING_FIELD         14
#define IDS_NEVER_REGISTER_CONFIRM 17
#define IDS_PURCHASE_TYPE_FIRST   18
#define IDS_PURCHASE_TYPE_LAST    19
#define IDS_COMPUTERS_FIRST       20
#define IDS_COMPUTERS_LAST        26
#define IDS_USED_FIRST            27
#define IDS_USED_LAST             32
#define IDS_HEARD_FIRST           33
#define IDS_HEARD_LAST            42
#define IDS_SERVICE_FIRST         47
#define IDS_SERVICE_LAST          55
#define IDS_MODEM_PORT_FIRST      56
#define IDS_MODEM_PORT_LAST       64
#define IDS_MAIL_RECIPIENT        76
#define IDS_MAIL_HOST             77
#define IDS_MAIL_UNREACHABLE      78
#define IDS_MAIL_CONNECTED        79
#define IDS_MAIL_COMPLETE         80
#define IDS_MAIL_BAD_RECIPIENT    81
#define IDS_MAIL_BAD_SENDER       82
#define IDS_MAIL_BAD_SITE         83
#define IDS_SOCKETS_FAILED        84
#define IDS_MAIL_NOT_ACCEPTED     85
