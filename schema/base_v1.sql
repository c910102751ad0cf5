-- Structure version 1, as the installation creates it. The upgrade steps 2 to 14 of the program take it
-- to the current structure, so the tables and columns those steps add are absent here.

CREATE TABLE dbversion (
  dbid varchar(20) NOT NULL,
  ver int(11) NOT NULL DEFAULT 0,
  PRIMARY KEY (dbid)
) ENGINE=InnoDB DEFAULT CHARSET=euckr COMMENT='DB 구조 버전';

CREATE TABLE options (
  optname varchar(50) NOT NULL,
  optvalue varchar(255) NOT NULL DEFAULT '',
  PRIMARY KEY (optname)
) ENGINE=InnoDB DEFAULT CHARSET=euckr COMMENT='공통 환경설정';

CREATE TABLE office (
  code smallint(5) unsigned NOT NULL,
  compname varchar(40) NOT NULL DEFAULT '',
  ceoname varchar(20) NOT NULL DEFAULT '',
  compsn varchar(15) NOT NULL DEFAULT '',
  status varchar(40) NOT NULL DEFAULT '',
  item varchar(40) NOT NULL DEFAULT '',
  zipcode varchar(7) NOT NULL DEFAULT '',
  addr1 varchar(100) NOT NULL DEFAULT '',
  addr2 varchar(100) NOT NULL DEFAULT '',
  telno1 varchar(20) NOT NULL DEFAULT '',
  telno2 varchar(20) NOT NULL DEFAULT '',
  fax varchar(20) NOT NULL DEFAULT '',
  hpno varchar(20) NOT NULL DEFAULT '',
  bigo varchar(200) NOT NULL DEFAULT '',
  email varchar(40) NOT NULL DEFAULT '',
  PRIMARY KEY (code)
) ENGINE=InnoDB DEFAULT CHARSET=euckr COMMENT='사업장 정보';

CREATE TABLE local_user (
  code varchar(2) NOT NULL,
  loginid varchar(20) NOT NULL DEFAULT '',
  loginpwd varchar(20) NOT NULL DEFAULT '',
  name varchar(20) NOT NULL DEFAULT '',
  telno varchar(20) NOT NULL DEFAULT '',
  hpno varchar(20) NOT NULL DEFAULT '',
  serial varchar(15) NOT NULL DEFAULT '',
  zipcode varchar(7) NOT NULL DEFAULT '',
  addr1 varchar(100) NOT NULL DEFAULT '',
  addr2 varchar(100) NOT NULL DEFAULT '',
  bigo varchar(200) NOT NULL DEFAULT '',
  pdause tinyint(1) NOT NULL DEFAULT 0,
  hidden tinyint(1) NOT NULL DEFAULT 0,
  PRIMARY KEY (code),
  KEY idx_local_user_loginid (loginid)
) ENGINE=InnoDB DEFAULT CHARSET=euckr COMMENT='사용자(직원)';

-- Telephone columns are wider than the 14 characters of the editor: the spreadsheet import takes 20.
CREATE TABLE customer (
  code varchar(6) NOT NULL,
  compname varchar(40) NOT NULL DEFAULT '',
  compalias varchar(40) NOT NULL DEFAULT '',
  ceoname varchar(20) NOT NULL DEFAULT '',
  compsn varchar(15) NOT NULL DEFAULT '',
  telno1 varchar(20) NOT NULL DEFAULT '',
  telno2 varchar(20) NOT NULL DEFAULT '',
  telno3 varchar(20) NOT NULL DEFAULT '',
  telno4 varchar(20) NOT NULL DEFAULT '',
  fax varchar(20) NOT NULL DEFAULT '',
  hpno varchar(20) NOT NULL DEFAULT '',
  charge varchar(6) NOT NULL DEFAULT '',
  taxmode tinyint(1) NOT NULL DEFAULT 0,
  zipcode varchar(7) NOT NULL DEFAULT '',
  addr1 varchar(100) NOT NULL DEFAULT '',
  addr2 varchar(60) NOT NULL DEFAULT '',
  status varchar(40) NOT NULL DEFAULT '',
  item varchar(40) NOT NULL DEFAULT '',
  regdate varchar(10) NOT NULL DEFAULT '',
  basemoney decimal(18,4) NOT NULL DEFAULT 0,
  nowmoney decimal(18,4) NOT NULL DEFAULT 0,
  bigo varchar(100) NOT NULL DEFAULT '',
  hidden tinyint(1) NOT NULL DEFAULT 0,
  email varchar(40) NOT NULL DEFAULT '',
  ocode smallint(5) unsigned NOT NULL DEFAULT 1,
  lastemaildate varchar(20) NOT NULL DEFAULT '',
  PRIMARY KEY (code),
  KEY idx_customer_compname (compname),
  KEY idx_customer_compalias (compalias),
  KEY idx_customer_telno1 (telno1),
  KEY idx_customer_telno2 (telno2),
  KEY idx_customer_telno3 (telno3),
  KEY idx_customer_telno4 (telno4),
  KEY idx_customer_hpno (hpno),
  KEY idx_customer_charge (charge)
) ENGINE=InnoDB DEFAULT CHARSET=euckr COMMENT='거래처(고객)';

CREATE TABLE ascode (
  code int(10) unsigned NOT NULL AUTO_INCREMENT,
  pcode varchar(6) NOT NULL DEFAULT '000000',
  part tinyint(3) unsigned NOT NULL DEFAULT 0,
  name varchar(50) NOT NULL DEFAULT '',
  amount decimal(18,4) NOT NULL DEFAULT 0,
  PRIMARY KEY (code),
  KEY idx_ascode_part_pcode (part, pcode)
) ENGINE=InnoDB DEFAULT CHARSET=euckr COMMENT='AS코드 및 상담분류';

CREATE TABLE aslist_m (
  code int(10) unsigned NOT NULL AUTO_INCREMENT,
  ccode varchar(6) NOT NULL DEFAULT '',
  pcode varchar(6) NOT NULL DEFAULT '',
  pserial varchar(50) NOT NULL DEFAULT '',
  dealdate varchar(10) NOT NULL DEFAULT '',
  dealtime varchar(5) NOT NULL DEFAULT '',
  regucode varchar(6) NOT NULL DEFAULT '',
  dealbigo varchar(100) NOT NULL DEFAULT '',
  typecode0 int(10) unsigned NOT NULL DEFAULT 0,
  resvdate1 varchar(10) NOT NULL DEFAULT '',
  resvtime1 varchar(5) NOT NULL DEFAULT '00:00',
  resvdate2 varchar(10) NOT NULL DEFAULT '',
  resvtime2 varchar(5) NOT NULL DEFAULT '00:00',
  charge varchar(6) NOT NULL DEFAULT '',
  state tinyint(1) NOT NULL DEFAULT 0,
  workdate varchar(10) NOT NULL DEFAULT '',
  worktime varchar(5) NOT NULL DEFAULT '',
  deallistno varchar(20) NOT NULL DEFAULT '',
  taxlistno varchar(20) NOT NULL DEFAULT '',
  PRIMARY KEY (code),
  KEY idx_aslist_m_ccode (ccode),
  KEY idx_aslist_m_dealdate (dealdate),
  KEY idx_aslist_m_resvdate2 (resvdate2),
  KEY idx_aslist_m_typecode0 (typecode0)
) ENGINE=InnoDB DEFAULT CHARSET=euckr COMMENT='AS 접수내역';

CREATE TABLE aslist_d (
  code int(10) unsigned NOT NULL,
  seq int(10) unsigned NOT NULL,
  pcode varchar(6) NOT NULL DEFAULT '',
  typecode1 int(10) unsigned NOT NULL DEFAULT 0,
  typecode2 int(10) unsigned NOT NULL DEFAULT 0,
  workbigo varchar(100) NOT NULL DEFAULT '',
  amount decimal(18,4) NOT NULL DEFAULT 0,
  isfree tinyint(1) NOT NULL DEFAULT 0,
  PRIMARY KEY (code, seq),
  KEY idx_aslist_d_charged (code, isfree, amount),
  KEY idx_aslist_d_typecode1 (typecode1),
  KEY idx_aslist_d_typecode2 (typecode2)
) ENGINE=InnoDB DEFAULT CHARSET=euckr COMMENT='AS 처리내역';

-- Name, norm and barcode lengths are set by options, so the columns leave room above their defaults.
CREATE TABLE product (
  code varchar(6) NOT NULL,
  bcode varchar(30) NOT NULL DEFAULT '',
  name varchar(100) NOT NULL DEFAULT '',
  norm varchar(100) NOT NULL DEFAULT '',
  taxmode tinyint(1) NOT NULL DEFAULT 1,
  classname varchar(40) NOT NULL DEFAULT '',
  unit varchar(10) NOT NULL DEFAULT '',
  regdate varchar(10) NOT NULL DEFAULT '',
  bigo text,
  hidden tinyint(1) NOT NULL DEFAULT 0,
  saleprice decimal(18,4) NOT NULL DEFAULT 0,
  PRIMARY KEY (code),
  KEY idx_product_bcode (bcode),
  KEY idx_product_name_norm (name, norm),
  KEY idx_product_classname (classname)
) ENGINE=InnoDB DEFAULT CHARSET=euckr COMMENT='상품';

CREATE TABLE pclass (
  code varchar(4) NOT NULL,
  name varchar(40) NOT NULL DEFAULT '',
  PRIMARY KEY (code),
  KEY idx_pclass_name (name)
) ENGINE=InnoDB DEFAULT CHARSET=euckr COMMENT='상품분류';

CREATE TABLE sale (
  code int(10) unsigned NOT NULL AUTO_INCREMENT,
  ccode varchar(6) NOT NULL DEFAULT '',
  pcode varchar(6) NOT NULL DEFAULT '',
  pname varchar(100) NOT NULL DEFAULT '',
  pnorm varchar(100) NOT NULL DEFAULT '',
  qnt decimal(18,4) NOT NULL DEFAULT 0,
  price decimal(18,4) NOT NULL DEFAULT 0,
  amount decimal(18,4) NOT NULL DEFAULT 0,
  tax decimal(18,4) NOT NULL DEFAULT 0,
  dc decimal(18,4) NOT NULL DEFAULT 0,
  total decimal(18,4) NOT NULL DEFAULT 0,
  dealdate varchar(10) NOT NULL DEFAULT '',
  dealtime varchar(5) NOT NULL DEFAULT '',
  charge varchar(6) NOT NULL DEFAULT '',
  regucode varchar(6) NOT NULL DEFAULT '',
  deallistno varchar(20) NOT NULL DEFAULT '',
  taxlistno varchar(20) NOT NULL DEFAULT '',
  prnbigo varchar(100) NOT NULL DEFAULT '',
  pserial varchar(50) NOT NULL DEFAULT '',
  PRIMARY KEY (code),
  KEY idx_sale_ccode_date_total (ccode, dealdate, total),
  KEY idx_sale_dealdate (dealdate),
  KEY idx_sale_pcode (pcode)
) ENGINE=InnoDB DEFAULT CHARSET=euckr COMMENT='매출전표';

CREATE TABLE receive (
  code int(10) unsigned NOT NULL AUTO_INCREMENT,
  dealdate varchar(10) NOT NULL DEFAULT '',
  ccode varchar(6) NOT NULL DEFAULT '',
  amount decimal(18,4) NOT NULL DEFAULT 0,
  dc decimal(18,4) NOT NULL DEFAULT 0,
  type tinyint(1) NOT NULL DEFAULT 0,
  charge varchar(6) NOT NULL DEFAULT '',
  bigo varchar(100) NOT NULL DEFAULT '',
  regucode varchar(6) NOT NULL DEFAULT '',
  deallistno varchar(20) NOT NULL DEFAULT '',
  dealtime varchar(5) NOT NULL DEFAULT '',
  PRIMARY KEY (code),
  KEY idx_receive_ccode_date_amount (ccode, dealdate, amount, dc),
  KEY idx_receive_dealdate (dealdate)
) ENGINE=InnoDB DEFAULT CHARSET=euckr COMMENT='입금전표';

CREATE TABLE taxlist_m (
  code int(10) unsigned NOT NULL AUTO_INCREMENT,
  ccode varchar(6) NOT NULL DEFAULT '',
  dealdate varchar(10) NOT NULL DEFAULT '',
  supply decimal(18,4) NOT NULL DEFAULT 0,
  tax decimal(18,4) NOT NULL DEFAULT 0,
  total decimal(18,4) NOT NULL DEFAULT 0,
  bigo varchar(200) NOT NULL DEFAULT '',
  PRIMARY KEY (code),
  KEY idx_taxlist_m_ccode (ccode),
  KEY idx_taxlist_m_dealdate (dealdate)
) ENGINE=InnoDB DEFAULT CHARSET=euckr COMMENT='세금계산서';

CREATE TABLE taxlist_d (
  code int(10) unsigned NOT NULL AUTO_INCREMENT,
  mcode int(10) unsigned NOT NULL DEFAULT 0,
  pcode varchar(6) NOT NULL DEFAULT '',
  pname varchar(100) NOT NULL DEFAULT '',
  qnt decimal(18,4) NOT NULL DEFAULT 0,
  price decimal(18,4) NOT NULL DEFAULT 0,
  amount decimal(18,4) NOT NULL DEFAULT 0,
  tax decimal(18,4) NOT NULL DEFAULT 0,
  PRIMARY KEY (code),
  KEY idx_taxlist_d_mcode (mcode)
) ENGINE=InnoDB DEFAULT CHARSET=euckr COMMENT='세금계산서 품목';

INSERT INTO dbversion (dbid, ver) VALUES ('main', 1);

INSERT INTO office (code, compname) VALUES (1, 'OstraSoft(본사)');

INSERT INTO local_user (code, loginid, loginpwd, name, pdause, hidden) VALUES ('00', 'ADMIN', '', '관리자', 0, 0);

-- The free-text product is hidden so that the list, the picker and the barcode look-up never offer it.
INSERT INTO product (code, name, taxmode, hidden) VALUES ('000000', '', 1, 1);
