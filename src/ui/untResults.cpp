#include "ui/untResults.h"

#include <QLineEdit>

TfrmResults* frmResults = nullptr;

TfrmResults::TfrmResults(QWidget* parent) : QWidget(parent) {
    AllCities = new QLineEdit(this);
    AllCities->setObjectName(QStringLiteral("AllCities"));
}

TfrmResults::~TfrmResults() = default;

void TfrmResults::StartBtnClick() {}

void TfrmResults::StopBtnClick() {}
