#!/usr/bin/env python3
"""Writes a Shift_JIS address-book CSV file for the CSV reading benchmark.

The rows look like an export of a Japanese address book: name, reading,
postal code, address, company, department, phones, e-mail and a memo. Some
fields need quotes (commas, doubled quotes, multi-line memos), and the text is
full of characters whose second byte is a back slash (ソ, 表, 十, 能 ...).
The same seed always gives the same bytes.

usage: make_csv.py OUTPUT [RECORDS]
"""

import csv
import random
import sys

SURNAMES = [
    ("佐藤", "サトウ"), ("鈴木", "スズキ"), ("高橋", "タカハシ"), ("田中", "タナカ"),
    ("伊藤", "イトウ"), ("渡辺", "ワタナベ"), ("山本", "ヤマモト"), ("中村", "ナカムラ"),
    ("小林", "コバヤシ"), ("加藤", "カトウ"), ("吉田", "ヨシダ"), ("山田", "ヤマダ"),
    ("佐々木", "ササキ"), ("山口", "ヤマグチ"), ("松本", "マツモト"), ("井上", "イノウエ"),
    ("木村", "キムラ"), ("十川", "ソガワ"), ("能登", "ノト"), ("表", "オモテ"),
    ("宗像", "ムナカタ"), ("長谷川", "ハセガワ"), ("石井", "イシイ"), ("森", "モリ"),
]
GIVEN = [
    ("太郎", "タロウ"), ("花子", "ハナコ"), ("一郎", "イチロウ"), ("美咲", "ミサキ"),
    ("翔太", "ショウタ"), ("陽菜", "ヒナ"), ("大輔", "ダイスケ"), ("由美", "ユミ"),
    ("健一", "ケンイチ"), ("直美", "ナオミ"), ("蒼", "アオイ"), ("結衣", "ユイ"),
    ("聡", "サトシ"), ("恵子", "ケイコ"), ("浩二", "コウジ"), ("真由美", "マユミ"),
]
PLACES = [
    ("東京都", ["千代田区", "港区", "新宿区", "渋谷区", "世田谷区", "八王子市"]),
    ("大阪府", ["大阪市北区", "大阪市中央区", "堺市堺区", "豊中市", "吹田市"]),
    ("神奈川県", ["横浜市西区", "川崎市中原区", "相模原市中央区", "藤沢市"]),
    ("愛知県", ["名古屋市中区", "豊田市", "岡崎市", "一宮市"]),
    ("北海道", ["札幌市中央区", "旭川市", "函館市"]),
    ("福岡県", ["福岡市博多区", "北九州市小倉北区", "久留米市"]),
    ("新潟県", ["新潟市中央区", "十日町市", "長岡市"]),
    ("石川県", ["金沢市", "能美市", "七尾市"]),
    ("京都府", ["京都市左京区", "宇治市"]),
    ("沖縄県", ["那覇市", "宜野湾市"]),
]
TOWNS = ["表町", "本町", "中央", "栄町", "緑が丘", "桜木町", "旭町", "表参道", "十条",
         "曽根", "能見台", "日之出町", "若葉台", "港南"]
BUILDINGS = ["", "", "", "ソレイユ", "グランドメゾン", "ハイツ青葉", "表参道ヒルズ",
             "コーポ十番", "能登ビル"]
COMPANIES = ["株式会社ソフト開発", "表計算システム株式会社", "有限会社十字屋",
             "能率機器株式会社", "日本通信工業株式会社", "株式会社ソニックデザイン",
             "山田商店", "合同会社コルヴァネ", "", ""]
DEPARTMENTS = ["営業部", "総務部 人事課", "開発本部 第二開発部", "経理部", "代表取締役",
               "", "", "製造部 品質管理課"]
MEMOS = [
    "年賀状送付済み",
    "2019年の展示会で名刺交換",
    "担当: 第二営業部, 内線 1234",
    '口癖は「まあまあ」ではなく"そこそこ"',
    "趣味: 釣り、将棋、ソフトボール\n次回は表参道で会食\n奥様の誕生日は5月",
    "",
    "",
    "転居予定あり（来年春）\n新住所は未定",
    "メールよりも電話が確実",
]
MAILS = ["example.jp", "mail.example.co.jp", "example.ne.jp", "example.com"]
ROMAJI = ["sato", "suzuki", "takahashi", "tanaka", "ito", "watanabe", "yamamoto",
          "nakamura", "kobayashi", "kato", "yoshida", "yamada", "sasaki", "mori"]


def address(rng):
    pref, cities = rng.choice(PLACES)
    text = "%s%s%s%d丁目%d番%d号" % (pref, rng.choice(cities), rng.choice(TOWNS),
                                    rng.randint(1, 9), rng.randint(1, 30), rng.randint(1, 20))
    building = rng.choice(BUILDINGS)
    if building:
        text += " %s %d号室" % (building, rng.randint(101, 1205))
    return text


def row(rng):
    (sur, sur_kana), (given, given_kana) = rng.choice(SURNAMES), rng.choice(GIVEN)
    home = address(rng)
    company = rng.choice(COMPANIES)
    office = address(rng) if company else ""
    if company and rng.random() < 0.1:
        company += ", 東京支社"
    memo = rng.choice(MEMOS)
    if memo and rng.random() < 0.3:
        memo += "。%d年%d月%d日 更新" % (rng.randint(2001, 2024), rng.randint(1, 12),
                                       rng.randint(1, 28))
    return [
        "%s %s" % (sur, given),
        "%s %s" % (sur_kana, given_kana),
        "%03d-%04d" % (rng.randint(0, 999), rng.randint(0, 9999)),
        home,
        company,
        rng.choice(DEPARTMENTS),
        "0%d-%04d-%04d" % (rng.randint(3, 99), rng.randint(0, 9999), rng.randint(0, 9999)),
        "090-%04d-%04d" % (rng.randint(0, 9999), rng.randint(0, 9999)),
        "%s.%d@%s" % (rng.choice(ROMAJI), rng.randint(1, 9999), rng.choice(MAILS)),
        office,
        memo,
    ]


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__.strip().splitlines()[-1])
    records = int(sys.argv[2]) if len(sys.argv) == 3 else 100000
    rng = random.Random(20240601)
    with open(sys.argv[1], "w", encoding="cp932", newline="") as out:
        writer = csv.writer(out, lineterminator="\r\n")
        writer.writerow(["氏名", "ふりがな", "郵便番号", "住所", "会社", "部署", "電話",
                         "携帯", "電子メール", "勤務先住所", "メモ"])
        for _ in range(records):
            writer.writerow(row(rng))


if __name__ == "__main__":
    main()
