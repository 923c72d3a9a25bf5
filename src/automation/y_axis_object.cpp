#include "y_axis_object.h"

#include "graph_tree.h"

#include <rt_trendwick.h>
#include <target_oids.h>
#include <y_axises.h>

#include <QSet>

YAxisObject::YAxisObject(GraphTree& tree, int index)
    : AutomationObject(tree.Lifetime()), m_tree(tree), m_index(index)
{
}

template <class F>
auto YAxisObject::Forward(F&& member)
{
    return Call([&] {
        const ::YAxises& axes = m_tree.Control().YAxises();
        if (m_index >= axes.Count())
            throw ObjectGoneError();
        return member(*axes.At(m_index));
    });
}

// clang-format off
QString YAxisObject::Key() { return Forward([](YAxis& a) { return a.Key(); }); }
qint16 YAxisObject::Index() { return Forward([](YAxis& a) { return a.Index(); }); }
QString YAxisObject::Label() { return Forward([](YAxis& a) { return a.Label(); }); }
void YAxisObject::setLabel(const QString& v) { Forward([&](YAxis& a) { a.setLabel(v); }); }
QString YAxisObject::Units() { return Forward([](YAxis& a) { return a.Units(); }); }
qint32 YAxisObject::Color() { return Forward([](YAxis& a) { return a.Color(); }); }
void YAxisObject::setColor(qint32 v) { Forward([&](YAxis& a) { a.setColor(v); }); }
QString YAxisObject::Calculation() { return Forward([](YAxis& a) { return a.Calculation(); }); }
qint16 YAxisObject::Subsets() { return Forward([](YAxis& a) { return a.Subsets(); }); }
double YAxisObject::Max() { return Forward([](YAxis& a) { return double(a.Max()); }); }
double YAxisObject::Min() { return Forward([](YAxis& a) { return double(a.Min()); }); }
bool YAxisObject::FixedScales() { return Forward([](YAxis& a) { return a.FixedScales(); }); }
void YAxisObject::setFixedScales(bool v) { Forward([&](YAxis& a) { a.setFixedScales(v); }); }
double YAxisObject::FixedMax() { return Forward([](YAxis& a) { return double(a.FixedMax()); }); }
void YAxisObject::setFixedMax(double v) { Forward([&](YAxis& a) { a.setFixedMax(float(v)); }); }
double YAxisObject::FixedMin() { return Forward([](YAxis& a) { return double(a.FixedMin()); }); }
void YAxisObject::setFixedMin(double v) { Forward([&](YAxis& a) { a.setFixedMin(float(v)); }); }
double YAxisObject::Magnitude() { return Forward([](YAxis& a) { return double(a.Magnitude()); }); }
QString YAxisObject::ScaleFormat() { return Forward([](YAxis& a) { return a.ScaleFormat(); }); }
qint32 YAxisObject::PlottingMethod() { return Forward([](YAxis& a) { return qint32(a.PlottingMethod()); }); }
void YAxisObject::setPlottingMethod(qint32 v) { Forward([&](YAxis& a) { a.setPlottingMethod(PlottingMethods(v)); }); }
QString YAxisObject::PlottingMethodName() { return Forward([](YAxis& a) { return a.PlottingMethodName(); }); }
void YAxisObject::setPlottingMethodName(const QString& v) { Forward([&](YAxis& a) { a.setPlottingMethodName(v); }); }
// clang-format on

QList<QDBusObjectPath> YAxisObject::TargetOIDs()
{
    return Forward([&](YAxis& axis) {
        // Until the next Reset an axis still lists a series that has left the graph; only
        // those still in the graph's collection are looked at.
        QSet<const TargetOID*> present;
        for (const TargetOID* target : m_tree.Control().TargetOIDs())
            present.insert(target);
        QList<QDBusObjectPath> paths;
        for (const TargetOID* target : axis.TargetOIDs()) {
            if (present.contains(target))
                paths << m_tree.PathOf(target);
        }
        return paths;
    });
}
